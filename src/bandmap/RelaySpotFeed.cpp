#include "RelaySpotFeed.h"

RelaySpotFeed::RelaySpotFeed()
    : question_(
          RelayProtocol::spotsRequest,
          [this](const QByteArray& body) -> std::optional<quint64> {
              std::optional<RelayProtocol::Spots> spots = RelayProtocol::decodeSpots(body);
              if (!spots)
                  return std::nullopt;
              if (!spots->spots.empty())
                  emit spotsHeard(spots->spots);
              return spots->sequence;
          },
          LongestAnswer) {
    connect(&question_, &HeldQuestion::notServed, this, &RelaySpotFeed::notServed);
}
