#pragma once

#include "ClusterConnection.h"

#include <QByteArray>
#include <QStringList>
#include <vector>

// What the spot server tells of its spot source at /status, as JSON, in the
// words of RelayProtocol: one entry per cluster node.
namespace SpotSourceStatus {

// problem: why the configured nodes are not relayed, in French.
QByteArray demonstration(const QString& problem = QString());
// ignored: the nodes named past the third.
QByteArray nodes(const QByteArray& callsign, const std::vector<const NodeStatus*>& nodes,
                 const QStringList& ignored = {});

} // namespace SpotSourceStatus
