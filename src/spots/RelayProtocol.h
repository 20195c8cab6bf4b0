#pragma once

#include "Spot.h"

#include <QByteArray>
#include <QLatin1StringView>
#include <optional>
#include <vector>

// What the spot server and the program say to each other beside the band
// pages, written once for both sides: the paths asked for, the keys and words
// of the JSON answers, and the changes' encoding.
namespace RelayProtocol {

// Where the spots come from: {"demonstration": true, "problem"} when the
// server shows demonstration spots, otherwise {"callsign", "nodes": [{"node",
// "state", "spots", "reason", "trouble"}, ...], "ignored": [...]}.
inline constexpr QLatin1StringView StatusPath{"/status"};
namespace Key {
inline constexpr QLatin1StringView Demonstration{"demonstration"};
inline constexpr QLatin1StringView Problem{"problem"};
inline constexpr QLatin1StringView Callsign{"callsign"};
inline constexpr QLatin1StringView Nodes{"nodes"};
inline constexpr QLatin1StringView Ignored{"ignored"};
inline constexpr QLatin1StringView Node{"node"};
inline constexpr QLatin1StringView State{"state"};
inline constexpr QLatin1StringView Since{"since"};
inline constexpr QLatin1StringView Spots{"spots"};
inline constexpr QLatin1StringView Reason{"reason"};
inline constexpr QLatin1StringView Trouble{"trouble"};
inline constexpr QLatin1StringView Sequence{"sequence"};
inline constexpr QLatin1StringView Bands{"bands"};
inline constexpr QLatin1StringView Call{"call"};
inline constexpr QLatin1StringView Frequency{"frequency"};
inline constexpr QLatin1StringView Time{"time"};
inline constexpr QLatin1StringView Spotter{"spotter"};
inline constexpr QLatin1StringView Remark{"remark"};
inline constexpr QLatin1StringView Heard{"heard"};
} // namespace Key
// A node's "state".
namespace State {
inline constexpr QLatin1StringView Connecting{"connecting"};
inline constexpr QLatin1StringView Live{"live"};
inline constexpr QLatin1StringView Refused{"refused"};
inline constexpr QLatin1StringView Unreachable{"unreachable"};
} // namespace State
// Why a node refused the login, its "trouble".
namespace Trouble {
inline constexpr QLatin1StringView InvalidCallsign{"invalid_callsign"};
inline constexpr QLatin1StringView PasswordWanted{"password_wanted"};
inline constexpr QLatin1StringView PasswordRefused{"password_refused"};
inline constexpr QLatin1StringView Bumped{"bumped"};
} // namespace Trouble

// GET /changes?since=N: the band pages changed since the server's sequence
// number N, as {"sequence": M, "bands": [...]}; the server holds the question
// until one changes, or a few seconds.
inline constexpr QLatin1StringView ChangesPath{"/changes"};
inline constexpr QLatin1StringView SinceParameter{"since"};
struct Changes {
    quint64 sequence = 0;
    std::vector<int> bands;
};
QByteArray changesRequest(quint64 since);
QByteArray encodeChanges(const Changes& changes);
// Nothing when the JSON is no answer of the server.
std::optional<Changes> decodeChanges(const QByteArray& json);

// GET /spots?since=N: every spot the nodes announced after the server's
// sequence number N, oldest first (for 0, or a number of a server that ran
// before, all it keeps: the last hour), at most MostSpotsPerAnswer at once,
// as {"sequence": M, "spots": [{"call", "frequency", "time", "spotter",
// "remark", "heard"}, ...]}, "heard" in milliseconds since the epoch (UTC);
// held like a request for changes until one comes.
inline constexpr QLatin1StringView SpotsPath{"/spots"};
inline constexpr std::size_t MostSpotsPerAnswer = 2000;
struct HeardSpot {
    Spot spot;
    qint64 heardMs = 0;
};
struct Spots {
    quint64 sequence = 0;
    std::vector<HeardSpot> spots;
};
QByteArray spotsRequest(quint64 since);
QByteArray encodeSpots(const Spots& spots);
std::optional<Spots> decodeSpots(const QByteArray& json);

} // namespace RelayProtocol
