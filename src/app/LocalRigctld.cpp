#include "LocalRigctld.h"

#include "Configuration.h"

#include <QStandardPaths>

namespace {

// rigctld opens the radio before it listens.
constexpr qint64 ListenWithinMs = 1500;

} // namespace

LocalRigctld::LocalRigctld(const Configuration& config) : config_(config) {}

std::optional<quint16> LocalRigctld::localPort(const QString& address) {
    const qsizetype colon = address.lastIndexOf(QLatin1Char(':'));
    const QString host = address.left(colon);
    if (colon < 0 || (host != QLatin1String("127.0.0.1") && host != QLatin1String("localhost")))
        return std::nullopt;
    bool ok = false;
    const uint port = address.mid(colon + 1).toUInt(&ok);
    if (!ok || port == 0 || port > 65535)
        return std::nullopt;
    return static_cast<quint16>(port);
}

void LocalRigctld::ensureRunning() {
    const std::optional<quint16> port = localPort(config_.rigctld());
    if (!port || config_.hamlibModel().isEmpty())
        return;
    const QStringList arguments{QStringLiteral("-m"), config_.hamlibModel(),
                                QStringLiteral("-r"), config_.hamlibDevice(),
                                QStringLiteral("-s"), config_.hamlibSpeed(),
                                QStringLiteral("-T"), QStringLiteral("127.0.0.1"),
                                QStringLiteral("-t"), QString::number(*port)};
    if (!helper_.startUnlessAnswering(QStandardPaths::findExecutable(QStringLiteral("rigctld")),
                                      arguments, *port))
        return;
    helper_.waitUntilAnswering(*port, ListenWithinMs);
}
