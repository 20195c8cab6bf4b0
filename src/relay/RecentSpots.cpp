#include "RecentSpots.h"

#include "SpotPageHtml.h"

#include <algorithm>

void RecentSpots::add(const ClusterSpot& spot, const QDateTime& receivedUtc) {
    const QDateTime heard = heardAt(spot, receivedUtc);
    const qint64 receivedMs = receivedUtc.toMSecsSinceEpoch();
    spots_.push_back({++sequence_,
                      receivedMs,
                      {Spot{QString::fromLatin1(spot.dx), QString::fromLatin1(spot.frequency),
                            SpotPageHtml::spotDate(heard), QString::fromLatin1(spot.spotter),
                            QString::fromLatin1(spot.comment), SpotSource::Cluster},
                       heard.toMSecsSinceEpoch()}});
    while (!spots_.empty() &&
           (spots_.size() > MostKept || receivedMs - spots_.front().receivedMs > KeptMs))
        spots_.pop_front();
}

RelayProtocol::Spots RecentSpots::since(quint64 since, const QDateTime& nowUtc) const {
    const qint64 oldestMs = nowUtc.toMSecsSinceEpoch() - KeptMs;
    const quint64 after = since > sequence_ ? 0 : since;
    auto first =
        std::upper_bound(spots_.begin(), spots_.end(), after,
                         [](quint64 n, const Numbered& spot) { return n < spot.sequence; });
    while (first != spots_.end() && first->receivedMs < oldestMs)
        ++first;
    RelayProtocol::Spots answer{sequence_, {}};
    for (; first != spots_.end(); ++first) {
        if (answer.spots.size() == RelayProtocol::MostSpotsPerAnswer) {
            // The rest comes at the next question.
            answer.sequence = std::prev(first)->sequence;
            break;
        }
        answer.spots.push_back(first->heard);
    }
    return answer;
}
