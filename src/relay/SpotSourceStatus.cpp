#include "SpotSourceStatus.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString stateName(NodeStatus::State state) {
    switch (state) {
    case NodeStatus::State::Connecting:
        return QStringLiteral("connecting");
    case NodeStatus::State::Live:
        return QStringLiteral("live");
    case NodeStatus::State::Refused:
        return QStringLiteral("refused");
    case NodeStatus::State::Unreachable:
        return QStringLiteral("unreachable");
    }
    return QString();
}

QString troubleName(ClusterSession::Trouble trouble) {
    switch (trouble) {
    case ClusterSession::Trouble::InvalidCallsign:
        return QStringLiteral("invalid_callsign");
    case ClusterSession::Trouble::PasswordWanted:
        return QStringLiteral("password_wanted");
    case ClusterSession::Trouble::PasswordRefused:
        return QStringLiteral("password_refused");
    case ClusterSession::Trouble::Bumped:
        return QStringLiteral("bumped");
    }
    return QString();
}

} // namespace

QByteArray SpotSourceStatus::demonstration(const QString& problem) {
    QJsonObject status{{QStringLiteral("demonstration"), true}};
    if (!problem.isEmpty())
        status.insert(QStringLiteral("problem"), problem);
    return QJsonDocument(status).toJson(QJsonDocument::Compact);
}

QByteArray SpotSourceStatus::nodes(const QByteArray& callsign,
                                   const std::vector<const NodeStatus*>& nodes,
                                   const QStringList& ignored) {
    QJsonArray list;
    for (const NodeStatus* status : nodes) {
        QJsonObject node{{QStringLiteral("node"), status->node},
                         {QStringLiteral("state"), stateName(status->state)},
                         {QStringLiteral("spots"), status->spots},
                         {QStringLiteral("reason"), status->reason}};
        if (status->liveSince.isValid())
            node.insert(QStringLiteral("since"), status->liveSince.toString(Qt::ISODate));
        if (status->trouble)
            node.insert(QStringLiteral("trouble"), troubleName(*status->trouble));
        list.append(node);
    }
    QJsonObject status{{QStringLiteral("callsign"), QString::fromLatin1(callsign)},
                       {QStringLiteral("nodes"), list}};
    if (!ignored.isEmpty())
        status.insert(QStringLiteral("ignored"), QJsonArray::fromStringList(ignored));
    return QJsonDocument(status).toJson(QJsonDocument::Compact);
}
