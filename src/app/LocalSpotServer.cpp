#include "LocalSpotServer.h"

#include <QFileInfo>
#include <QUrl>

namespace {

constexpr int HttpPort = 80;

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

LocalSpotServer::LocalSpotServer(const ProgramDirectory& directory, const QString& spotSite) {
    const std::optional<quint16> port = localPort(spotSite);
    const QString server = directory.file(ProgramName);
    if (port && QFileInfo(server).isExecutable())
        helper_.startUnlessAnswering(server, {QStringLiteral("--port"), QString::number(*port)},
                                     *port);
}
