#include "LiveSpotPages.h"

#include "BandTable.h"

#include <cmath>

std::vector<std::int16_t> LiveSpotPages::add(const ClusterSpot& spot,
                                             const QDateTime& receivedUtc) {
    const std::optional<std::int16_t> band = BandTable::pageOfKhz(spot.kHz);
    if (!band)
        return {};
    const QDateTime at = heardAt(spot, receivedUtc);
    const Spot row{QString::fromLatin1(spot.dx),      QString::fromLatin1(spot.frequency),
                   SpotPageHtml::spotDate(at),        QString::fromLatin1(spot.spotter),
                   QString::fromLatin1(spot.comment), SpotSource::Cluster};
    const Heard heard{spot.kHz, at, spot.date.isValid()};
    std::vector<std::int16_t> changed;
    for (const std::int16_t page : {*band, BandTable::wholeRangeOf(*band)}) {
        if (file(page, row, heard))
            changed.push_back(page);
    }
    return changed;
}

bool LiveSpotPages::file(std::int16_t Bande, const Spot& row, const Heard& heard) {
    std::vector<Spot>& rows = pages_[static_cast<std::size_t>(Bande)];
    std::vector<Heard>& heards = heard_[static_cast<std::size_t>(Bande)];
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].call != row.call || std::abs(heards[i].kHz - heard.kHz) > SameStationKHz ||
            std::abs(heards[i].at.secsTo(heard.at)) > SameStationSeconds)
            continue;
        // A newer report replaces the row, a live one of the same minute too;
        // the node's list of its last spots, asked for at each login, brings
        // back the ones already kept, which must not.
        if (heards[i].at > heard.at || (heard.listed && heards[i].at == heard.at))
            return false;
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(i));
        heards.erase(heards.begin() + static_cast<std::ptrdiff_t>(i));
        break;
    }
    // Newest first: a spot from the node's list of its last spots may be
    // older than some of those kept.
    std::size_t at = 0;
    while (at < heards.size() && heards[at].at > heard.at)
        ++at;
    if (at == Kept)
        return false;
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at), row);
    heards.insert(heards.begin() + static_cast<std::ptrdiff_t>(at), heard);
    if (rows.size() > Kept) {
        rows.pop_back();
        heards.pop_back();
    }
    return true;
}

const std::vector<Spot>& LiveSpotPages::rows(std::int16_t Bande) const {
    return pages_[static_cast<std::size_t>(Bande)];
}

QByteArray LiveSpotPages::page(std::int16_t Bande, const QDateTime& nowUtc) const {
    return SpotPageHtml::page(Bande, nowUtc, rows(Bande));
}
