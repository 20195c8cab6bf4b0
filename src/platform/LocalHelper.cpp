#include "LocalHelper.h"

#include "WhileWindowPaints.h"

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// A loopback port answers or refuses at once; this only bounds the odd case
// of a listener whose queue is full.
constexpr timeval ProbeLimit{0, 500 * 1000};
constexpr int StopMilliseconds = 2000;
// A helper listens within milliseconds of its start.
constexpr std::chrono::milliseconds ProbeEvery{10};

} // namespace

LocalHelper::LocalHelper() {
    QObject::connect(&process_, &QProcess::finished, [ended = ended_] { *ended = true; });
}

bool LocalHelper::answers(quint16 port) {
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

quint16 LocalHelper::freePort() {
    const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (probe < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    const bool bound =
        ::bind(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    ::close(probe);
    return bound ? ntohs(address.sin_port) : 0;
}

bool LocalHelper::startUnlessAnswering(const QString& program, const QStringList& arguments,
                                       quint16 port) {
    if (started() || program.isEmpty() || answers(port))
        return false;
    // Its own messages go where the program's go; a helper left behind by a
    // program that died would keep the port from the next one.
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    *ended_ = false;
    process_.start(program, arguments);
    return process_.waitForStarted(StopMilliseconds);
}

LocalHelper::~LocalHelper() {
    stop();
}

bool LocalHelper::waitUntilAnswering(quint16 port, qint64 limitMs) const {
    if (!started())
        return false;
    const auto limit = std::chrono::milliseconds(limitMs);
    return WhileWindowPaints::result<bool>(
               [port, limit, ended = ended_] {
                   const auto deadline = std::chrono::steady_clock::now() + limit;
                   while (!*ended && std::chrono::steady_clock::now() < deadline) {
                       if (answers(port))
                           return true;
                       std::this_thread::sleep_for(ProbeEvery);
                   }
                   return false;
               },
               limit)
        .value_or(false);
}

void LocalHelper::stop() {
    if (!started())
        return;
    process_.terminate();
    if (!process_.waitForFinished(StopMilliseconds)) {
        process_.kill();
        process_.waitForFinished(StopMilliseconds);
    }
}
