#include "LocalSpotServer.h"

#include <QFileInfo>
#include <QUrl>

namespace {

constexpr int HttpPort = 80;
// The server listens within a few milliseconds of its start.
constexpr qint64 ListenWithinMs = 2000;

} // namespace

const QString LocalSpotServer::ProgramName = QStringLiteral("spot_server");

std::optional<quint16> LocalSpotServer::localPort(const QString& spotSite) {
    const QUrl site(spotSite);
    const QString host = site.host();
    if (site.scheme() != QLatin1String("http") ||
        (host != QLatin1String("127.0.0.1") && host != QLatin1String("localhost")))
        return std::nullopt;
    return static_cast<quint16>(site.port(HttpPort));
}

LocalSpotServer::LocalSpotServer(const ProgramDirectory& directory, const QString& spotSite)
    : server_(directory.file(ProgramName)), port_(localPort(spotSite)) {
    if (port_ && QFileInfo(server_).isExecutable())
        helper_.startUnlessAnswering(server_, {QStringLiteral("--port"), QString::number(*port_)},
                                     *port_);
}

void LocalSpotServer::restart(const QString& spotSite) {
    helper_.stop();
    port_ = localPort(spotSite);
    if (port_ && QFileInfo(server_).isExecutable())
        helper_.startUnlessAnswering(server_, {QStringLiteral("--port"), QString::number(*port_)},
                                     *port_);
}

bool LocalSpotServer::revive() {
    if (!port_ || !QFileInfo(server_).isExecutable() || LocalHelper::answers(*port_))
        return false;
    helper_.stop();
    if (!helper_.startUnlessAnswering(server_, {QStringLiteral("--port"), QString::number(*port_)},
                                      *port_))
        return false;
    return helper_.waitUntilAnswering(*port_, ListenWithinMs);
}
