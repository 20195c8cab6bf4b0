#include "SpotSourceStatus.h"

#include "RelayProtocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

using namespace RelayProtocol;

QLatin1StringView stateName(NodeStatus::State state) {
    switch (state) {
    case NodeStatus::State::Connecting:
        return State::Connecting;
    case NodeStatus::State::Live:
        return State::Live;
    case NodeStatus::State::Refused:
        return State::Refused;
    case NodeStatus::State::Unreachable:
        return State::Unreachable;
    }
    return {};
}

QLatin1StringView troubleName(ClusterSession::Trouble trouble) {
    switch (trouble) {
    case ClusterSession::Trouble::InvalidCallsign:
        return Trouble::InvalidCallsign;
    case ClusterSession::Trouble::PasswordWanted:
        return Trouble::PasswordWanted;
    case ClusterSession::Trouble::PasswordRefused:
        return Trouble::PasswordRefused;
    case ClusterSession::Trouble::Bumped:
        return Trouble::Bumped;
    }
    return {};
}

} // namespace

QByteArray SpotSourceStatus::demonstration(const QString& problem) {
    QJsonObject status{{Key::Demonstration, true}};
    if (!problem.isEmpty())
        status.insert(Key::Problem, problem);
    return QJsonDocument(status).toJson(QJsonDocument::Compact);
}

QByteArray SpotSourceStatus::nodes(const QByteArray& callsign,
                                   const std::vector<const NodeStatus*>& nodes,
                                   const QStringList& ignored) {
    QJsonArray list;
    for (const NodeStatus* status : nodes) {
        QJsonObject node{{Key::Node, status->node},
                         {Key::State, stateName(status->state)},
                         {Key::Spots, status->spots},
                         {Key::Reason, status->reason}};
        if (status->liveSince.isValid())
            node.insert(Key::Since, status->liveSince.toString(Qt::ISODate));
        if (status->trouble)
            node.insert(Key::Trouble, troubleName(*status->trouble));
        list.append(node);
    }
    QJsonObject status{{Key::Callsign, QString::fromLatin1(callsign)}, {Key::Nodes, list}};
    if (!ignored.isEmpty())
        status.insert(Key::Ignored, QJsonArray::fromStringList(ignored));
    return QJsonDocument(status).toJson(QJsonDocument::Compact);
}
