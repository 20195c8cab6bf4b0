#include "LocalRigctld.h"

#include "Configuration.h"
#include "HostPort.h"

#include <QStandardPaths>

namespace {

// rigctld opens the radio before it listens.
constexpr qint64 ListenWithinMs = 1500;

} // namespace

LocalRigctld::LocalRigctld(const Configuration& config) : config_(config) {}

std::optional<quint16> LocalRigctld::localPort(const QString& address) {
    const std::optional<HostPort> rigctld = HostPort::parse(address);
    if (!rigctld || !rigctld->isLoopback())
        return std::nullopt;
    return rigctld->port;
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
