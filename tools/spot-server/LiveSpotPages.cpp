#include "LiveSpotPages.h"

#include "AmateurBands.h"

namespace {

constexpr int MinutesPerDay = 24 * 60;

QDateTime spotTime(const ClusterSpot& spot, const QDateTime& receivedUtc) {
    const QTime received = receivedUtc.time();
    const int difference = spot.minuteOfDay - (received.hour() * 60 + received.minute());
    QDate date = receivedUtc.date();
    if (difference > MinutesPerDay / 2)
        date = date.addDays(-1);
    else if (difference < -MinutesPerDay / 2)
        date = date.addDays(1);
    return QDateTime(date, QTime(spot.minuteOfDay / 60, spot.minuteOfDay % 60), Qt::UTC);
}

} // namespace

void LiveSpotPages::add(const ClusterSpot& spot, const QDateTime& receivedUtc) {
    const std::optional<std::int16_t> band = AmateurBands::bandOf(spot.kHz);
    if (!band)
        return;
    const PageRow row{spot.dx, spot.frequency, SpotPageHtml::spotDate(spotTime(spot, receivedUtc)),
                      spot.spotter, spot.comment};
    file(*band, row);
    file(AmateurBands::wholeRangeOf(*band), row);
}

void LiveSpotPages::file(std::int16_t Bande, const PageRow& row) {
    std::vector<PageRow>& rows = pages_[static_cast<std::size_t>(Bande)];
    if (rows.size() == Kept)
        rows.pop_back();
    rows.insert(rows.begin(), row);
}

const std::vector<PageRow>& LiveSpotPages::rows(std::int16_t Bande) const {
    return pages_[static_cast<std::size_t>(Bande)];
}

QByteArray LiveSpotPages::page(std::int16_t Bande, const QDateTime& nowUtc) const {
    return SpotPageHtml::page(Bande, nowUtc, rows(Bande));
}
