#pragma once

#include <QByteArray>
#include <QDateTime>
#include <cstdint>

// The demonstration spots: a page of the last 50 plausible spots of one band,
// newest first, for running the program without a DX cluster.
class SpotPageGenerator {
public:
    static constexpr int RowsPerPage = 50;

    // The same band and minute give the same page. Other row counts serve
    // to measure the program on long pages.
    static QByteArray page(std::int16_t Bande, const QDateTime& nowUtc, int rows = RowsPerPage);
};
