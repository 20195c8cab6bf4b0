#include "LocalSpotServer.h"

#include <QFileInfo>
#include <QTcpSocket>
#include <QUrl>
#include <csignal>
#include <sys/prctl.h>

namespace {

constexpr int HttpPort = 80;
// A loopback port answers or refuses at once; this only bounds the odd case.
constexpr int ProbeMilliseconds = 500;
constexpr int StopMilliseconds = 2000;

bool answers(quint16 port) {
    QTcpSocket probe;
    probe.connectToHost(QStringLiteral("127.0.0.1"), port);
    return probe.waitForConnected(ProbeMilliseconds);
}

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
    if (!port || !QFileInfo(server).isExecutable() || answers(*port))
        return;
    // Its own messages go where the program's go; a server left behind by a
    // program that died would keep the port from the next one.
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process_.start(server, {QStringLiteral("--port"), QString::number(*port)});
}

LocalSpotServer::~LocalSpotServer() {
    if (!started())
        return;
    process_.terminate();
    if (!process_.waitForFinished(StopMilliseconds)) {
        process_.kill();
        process_.waitForFinished(StopMilliseconds);
    }
}
