#include "LocalSpotServer.h"

#include <QFileInfo>
#include <QUrl>
#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int HttpPort = 80;
// A loopback port answers or refuses at once; this only bounds the odd case
// of a listener whose queue is full.
constexpr timeval ProbeLimit{0, 500 * 1000};
constexpr int StopMilliseconds = 2000;

bool answers(quint16 port) {
    const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (probe < 0)
        return false;
    ::setsockopt(probe, SOL_SOCKET, SO_SNDTIMEO, &ProbeLimit, sizeof ProbeLimit);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool connected =
        ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(probe);
    return connected;
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
