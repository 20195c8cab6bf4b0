#include "FlrigBridge.h"

#include "HamlibRig.h"

#include <QStandardPaths>

namespace {

// rigctld listens once it has tried to reach flrig.
constexpr qint64 ListenWithinMs = 1500;

} // namespace

FlrigBridge::FlrigBridge(QString flrigAddress)
    : flrig_(std::move(flrigAddress)), port_(LocalHelper::freePort()) {}

QString FlrigBridge::address() const {
    return QStringLiteral("127.0.0.1:%1").arg(port_);
}

void FlrigBridge::retarget(QString flrigAddress) {
    if (flrigAddress == flrig_)
        return;
    flrig_ = std::move(flrigAddress);
    helper_.stop();
}

void FlrigBridge::ensureRunning() {
    if (helper_.started())
        return;
    // Taken meanwhile by another program: another port.
    if (LocalHelper::answers(port_))
        port_ = LocalHelper::freePort();
    const QStringList arguments{QStringLiteral("-m"), QString::number(HamlibRig::FlrigModel),
                                QStringLiteral("-r"), flrig_,
                                QStringLiteral("-T"), QStringLiteral("127.0.0.1"),
                                QStringLiteral("-t"), QString::number(port_)};
    if (helper_.startUnlessAnswering(QStandardPaths::findExecutable(QStringLiteral("rigctld")),
                                     arguments, port_))
        helper_.waitUntilAnswering(port_, ListenWithinMs);
}
