#include "SpotSourceStatusText.h"

#include "HostPort.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace {

const QString Lead = QStringLiteral("Spots : ");

QString hostOf(const QString& node) {
    const std::optional<HostPort> address = HostPort::parse(node);
    return address ? address->host : node;
}

QString nodeText(const QJsonObject& node, const QString& callsign) {
    const QString address = node.value(QStringLiteral("node")).toString();
    const QString host = hostOf(address);
    const QString state = node.value(QStringLiteral("state")).toString();
    const QString reason = node.value(QStringLiteral("reason")).toString();
    if (state == QLatin1String("live")) {
        const int spots = node.value(QStringLiteral("spots")).toInt();
        return QStringLiteral("en direct de %1 (%2 %3)")
            .arg(address)
            .arg(spots)
            .arg(spots <= 1 ? QStringLiteral("reçu") : QStringLiteral("reçus"));
    }
    if (state == QLatin1String("connecting"))
        return QStringLiteral("connexion à %1…").arg(address);
    if (state == QLatin1String("refused")) {
        const QString trouble = node.value(QStringLiteral("trouble")).toString();
        if (trouble == QLatin1String("invalid_callsign"))
            return QStringLiteral("%1 refuse l'indicatif %2").arg(host, callsign);
        if (trouble == QLatin1String("password_wanted"))
            return QStringLiteral("%1 demande un mot de passe pour %2").arg(host, callsign);
        if (trouble == QLatin1String("password_refused"))
            return QStringLiteral("%1 refuse le mot de passe de %2").arg(host, callsign);
        if (trouble == QLatin1String("bumped"))
            return QStringLiteral("%1 a déconnecté %2, connecté ailleurs (utilisez un SSID : %2-7)")
                .arg(host, callsign);
        return QStringLiteral("%1 refuse la connexion (%2)").arg(host, reason);
    }
    if (state == QLatin1String("unreachable"))
        return reason.isEmpty() ? QStringLiteral("%1 injoignable").arg(address)
                                : QStringLiteral("%1 injoignable (%2)").arg(address, reason);
    return QString();
}

} // namespace

QString spotSourceStatusText(const QByteArray& json) {
    const QJsonObject status = QJsonDocument::fromJson(json).object();
    if (status.value(QStringLiteral("demonstration")).toBool()) {
        const QString problem = status.value(QStringLiteral("problem")).toString();
        return problem.isEmpty() ? DemonstrationStatus
                                 : DemonstrationStatus + QStringLiteral(" — ") + problem;
    }
    const QJsonArray nodes = status.value(QStringLiteral("nodes")).toArray();
    const QString callsign = status.value(QStringLiteral("callsign")).toString();
    QStringList parts;
    for (const QJsonValue& node : nodes) {
        const QString text = nodeText(node.toObject(), callsign);
        if (!text.isEmpty())
            parts.append(text);
    }
    const QStringList ignored = status.value(QStringLiteral("ignored")).toVariant().toStringList();
    if (!ignored.isEmpty())
        parts.append(QStringLiteral("trois nœuds au plus, ignorés : ") +
                     ignored.join(QStringLiteral(", ")));
    return parts.isEmpty() ? QString() : Lead + parts.join(QStringLiteral(" ; "));
}
