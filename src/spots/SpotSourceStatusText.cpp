#include "SpotSourceStatusText.h"

#include "HostPort.h"
#include "RelayProtocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace {

using namespace RelayProtocol;

const QString Lead = QStringLiteral("Spots : ");

QString hostOf(const QString& node) {
    const std::optional<HostPort> address = HostPort::parse(node);
    return address ? address->host : node;
}

QString nodeText(const QJsonObject& node, const QString& callsign) {
    const QString address = node.value(Key::Node).toString();
    const QString host = hostOf(address);
    const QString state = node.value(Key::State).toString();
    const QString reason = node.value(Key::Reason).toString();
    if (state == State::Live) {
        const int spots = node.value(Key::Spots).toInt();
        return QStringLiteral("en direct de %1 (%2 %3)")
            .arg(address)
            .arg(spots)
            .arg(spots <= 1 ? QStringLiteral("reçu") : QStringLiteral("reçus"));
    }
    if (state == State::Connecting)
        return QStringLiteral("connexion à %1…").arg(address);
    if (state == State::Refused) {
        const QString trouble = node.value(Key::Trouble).toString();
        if (trouble == Trouble::InvalidCallsign)
            return QStringLiteral("%1 refuse l'indicatif %2").arg(host, callsign);
        if (trouble == Trouble::PasswordWanted)
            return QStringLiteral("%1 demande un mot de passe pour %2").arg(host, callsign);
        if (trouble == Trouble::PasswordRefused)
            return QStringLiteral("%1 refuse le mot de passe de %2").arg(host, callsign);
        if (trouble == Trouble::Bumped)
            return QStringLiteral("%1 a déconnecté %2, connecté ailleurs (utilisez un SSID : %2-7)")
                .arg(host, callsign);
        return QStringLiteral("%1 refuse la connexion (%2)").arg(host, reason);
    }
    if (state == State::Unreachable)
        return reason.isEmpty() ? QStringLiteral("%1 injoignable").arg(address)
                                : QStringLiteral("%1 injoignable (%2)").arg(address, reason);
    return QString();
}

} // namespace

QString spotSourceStatusText(const QByteArray& json) {
    const QJsonObject status = QJsonDocument::fromJson(json).object();
    if (status.value(Key::Demonstration).toBool()) {
        const QString problem = status.value(Key::Problem).toString();
        return problem.isEmpty() ? DemonstrationStatus
                                 : DemonstrationStatus + QStringLiteral(" — ") + problem;
    }
    const QJsonArray nodes = status.value(Key::Nodes).toArray();
    const QString callsign = status.value(Key::Callsign).toString();
    QStringList parts;
    for (const QJsonValue& node : nodes) {
        const QString text = nodeText(node.toObject(), callsign);
        if (!text.isEmpty())
            parts.append(text);
    }
    const QStringList ignored = status.value(Key::Ignored).toVariant().toStringList();
    if (!ignored.isEmpty())
        parts.append(QStringLiteral("trois nœuds au plus, ignorés : ") +
                     ignored.join(QStringLiteral(", ")));
    return parts.isEmpty() ? QString() : Lead + parts.join(QStringLiteral(" ; "));
}
