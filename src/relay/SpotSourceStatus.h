#pragma once

#include "ClusterConnection.h"

#include <QByteArray>
#include <vector>

// What the spot server tells of its spot source at /status, as JSON:
// {"demonstration": true} when it shows demonstration spots, otherwise
// {"callsign": ..., "nodes": [{"node", "state", "since", "spots", "reason",
// "trouble"}, ...]} with one entry per cluster node, "state" one of
// "connecting", "live", "refused", "unreachable", and "trouble" (for
// "refused") one of "invalid_callsign", "password_wanted",
// "password_refused", "bumped".
namespace SpotSourceStatus {

QByteArray demonstration();
QByteArray nodes(const QByteArray& callsign, const std::vector<const NodeStatus*>& nodes);

} // namespace SpotSourceStatus
