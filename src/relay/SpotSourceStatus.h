#pragma once

#include "ClusterConnection.h"

#include <QByteArray>
#include <QStringList>
#include <vector>

// What the spot server tells of its spot source at /status, as JSON:
// {"demonstration": true, "problem"} when it shows demonstration spots,
// otherwise {"callsign": ..., "nodes": [{"node", "state", "since", "spots",
// "reason", "trouble"}, ...], "ignored": [...]} with one entry per cluster
// node, "state" one of
// "connecting", "live", "refused", "unreachable", and "trouble" (for
// "refused") one of "invalid_callsign", "password_wanted",
// "password_refused", "bumped".
namespace SpotSourceStatus {

// problem: why the configured nodes are not relayed, in French.
QByteArray demonstration(const QString& problem = QString());
// ignored: the nodes named past the third.
QByteArray nodes(const QByteArray& callsign, const std::vector<const NodeStatus*>& nodes,
                 const QStringList& ignored = {});

} // namespace SpotSourceStatus
