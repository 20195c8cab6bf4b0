#include "DecodedStations.h"

#include <algorithm>

namespace {

constexpr int CallWidth = 12;
constexpr int CountryWidth = 20;
// "Créneau à confirmer", the longest status.
constexpr int StatusWidth = 19;

} // namespace

void DecodedStations::add(const Wsjtx::Decode& decode, Spot spot, const QString& mode,
                          qint64 nowMs) {
    const auto same = std::find_if(stations_.begin(), stations_.end(),
                                   [&spot](const Station& s) { return s.spot.call == spot.call; });
    if (same != stations_.end())
        stations_.erase(same);
    stations_.push_front(Station{decode, std::move(spot), mode, nowMs});
    if (stations_.size() > MostKept)
        stations_.pop_back();
}

void DecodedStations::forgetInstance(const QString& id) {
    std::erase_if(stations_, [&id](const Station& s) { return s.decode.id == id; });
}

bool DecodedStations::expire(qint64 nowMs) {
    const std::size_t before = stations_.size();
    while (!stations_.empty() && nowMs - stations_.back().heardMs > KeptMs)
        stations_.pop_back();
    return stations_.size() != before;
}

QString decodeLine(const DecodedStations::Station& station, const QString& country,
                   const QString& status) {
    const Wsjtx::Decode& decode = station.decode;
    return decode.time.toString(QStringLiteral("HHmmss")) + u' ' +
           QString::number(decode.snr).rightJustified(3) + u' ' +
           QString::number(decode.audioHz).rightJustified(4) + u' ' +
           station.mode.left(4).leftJustified(4) + u' ' +
           station.spot.call.left(CallWidth).leftJustified(CallWidth) + u' ' +
           country.left(CountryWidth).leftJustified(CountryWidth) + u' ' +
           status.leftJustified(StatusWidth) + u' ' + decode.message;
}
