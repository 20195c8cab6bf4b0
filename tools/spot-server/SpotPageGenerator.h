#pragma once

#include <QByteArray>
#include <QDateTime>
#include <cstdint>

// Makes the page of the last 50 spots of one band, in the table form the
// program reads: lower-case tags, lines ended by a line feed alone, a caption
// and a heading row giving seven comma-separated items, then one row of seven
// lines per spot, newest first. The text is ISO-8859-1.
class SpotPageGenerator {
public:
    static constexpr int RowsPerPage = 50;
    static const QByteArray ContentType;

    // The same band and minute give the same page. Other row counts serve
    // to measure the program on long pages.
    static QByteArray page(std::int16_t Bande, const QDateTime& nowUtc, int rows = RowsPerPage);
};
