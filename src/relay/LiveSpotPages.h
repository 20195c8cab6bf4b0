#pragma once

#include "BandTable.h"
#include "ClusterSpot.h"
#include "SpotPageHtml.h"

#include <QDateTime>
#include <array>
#include <cstdint>
#include <vector>

// The latest spots heard from the cluster, Kept per band page and for each
// of the two whole-range pages; older ones are forgotten, so the memory held
// stays the same however many spots come. A station spotted again within
// 1 kHz and 10 minutes replaces its earlier row, so that one busy station
// does not fill a page.
class LiveSpotPages {
public:
    static constexpr std::size_t Kept = 50;

    // Files the spot under its band and its whole range, in order of time; a
    // spot outside the bands of the pages is dropped. A live spot has only a
    // time of day: its date is that of its arrival, the day before for a time
    // more than twelve hours ahead of it (a spot from before midnight).
    // The band indexes of the pages it changed.
    std::vector<std::int16_t> add(const ClusterSpot& spot, const QDateTime& receivedUtc);

    // Newest first.
    const std::vector<Spot>& rows(std::int16_t Bande) const;
    QByteArray page(std::int16_t Bande, const QDateTime& nowUtc) const;

    static constexpr double SameStationKHz = 1.0;
    static constexpr qint64 SameStationSeconds = 10 * 60;

private:
    // When and where a kept row was heard, beside it.
    struct Heard {
        double kHz;
        QDateTime at;
        bool listed; // from the node's list of its last spots
    };

    // False when the page keeps a newer report of the station, or the spot
    // is older than all it keeps.
    bool file(std::int16_t Bande, const Spot& row, const Heard& heard);

    std::array<std::vector<Spot>, BandTable::Count> pages_;
    std::array<std::vector<Heard>, BandTable::Count> heard_;
};
