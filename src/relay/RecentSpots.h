#pragma once

#include "ClusterSpot.h"
#include "RelayProtocol.h"

#include <QDateTime>
#include <deque>

// Every spot the nodes announced in the last hour, for the band map: unlike
// the pages, none is merged or left out, whatever its band. Each is numbered
// as it comes, so that a client asks for what followed the last it has.
class RecentSpots {
public:
    static constexpr qint64 KeptMs = 60 * 60 * 1000;
    // A contest on the Reverse Beacon Network brings 600 spots a minute; past
    // this many, the oldest go first.
    static constexpr std::size_t MostKept = 60'000;

    void add(const ClusterSpot& spot, const QDateTime& receivedUtc);
    quint64 sequence() const { return sequence_; }
    // The spots received after `since` that are not over an hour old, oldest
    // first, at most RelayProtocol::MostSpotsPerAnswer; every one kept for a
    // number this relay never gave (0, or one of a relay that ran before).
    RelayProtocol::Spots since(quint64 since, const QDateTime& nowUtc) const;

private:
    struct Numbered {
        quint64 sequence;
        qint64 receivedMs;
        RelayProtocol::HeardSpot heard;
    };

    std::deque<Numbered> spots_;
    quint64 sequence_ = 0;
};
