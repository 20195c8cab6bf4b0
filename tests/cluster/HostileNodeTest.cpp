// The spot server in front of peers that do it harm: a node that asks for
// telnet options without end and never reads, and a flood of local clients
// that connect and say nothing. The program is still served. And a spot
// server that answers every question for changes at once, without a change:
// the window does not ask in a loop.
#include "CurlHttpClient.h"
#include "DurerurFixture.h"
#include "LoopbackHttpServer.h"
#include "SpotServerProcess.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

const QString Page14 = QStringLiteral("/dxc/top_50_14_MHz.html");

// A listening socket, or a connection begun without waiting for it.
int loopbackSocket(quint16 port, bool listening) {
    const int fd =
        ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | (listening ? 0 : SOCK_NONBLOCK), 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const auto* where = reinterpret_cast<const sockaddr*>(&address);
    const bool ok = listening ? ::bind(fd, where, sizeof address) == 0 && ::listen(fd, 4) == 0
                              : ::connect(fd, where, sizeof address) == 0 || errno == EINPROGRESS;
    if (!ok) {
        ::close(fd);
        return -1;
    }
    return fd;
}

quint16 boundPort(int fd) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

} // namespace

TEST(HostileNode, OptionRequestsWithoutEndNeverFillTheServersMemory) {
    const int listener = loopbackSocket(0, true);
    ASSERT_GE(listener, 0);
    QTemporaryDir folder;
#if defined(__SANITIZE_ADDRESS__)
    // A sanitized server would hold every chunk it frees in its quarantine,
    // which is not what is measured here.
    qputenv("ASAN_OPTIONS", "quarantine_size_mb=0");
#endif
    SpotServerProcess server(nodeConfiguration(
        folder.path(), QStringLiteral("127.0.0.1:%1").arg(boundPort(listener)), "F4TEST"));
    ASSERT_FALSE(server.site().isEmpty());

    // Every option asked for, again and again, as fast as the link takes it,
    // and not one byte read back.
    std::atomic<bool> storming{true};
    std::thread node([&] {
        const int link = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        QByteArray storm;
        for (int option = 0; option < 256; ++option)
            storm += QByteArray("\xFF\xFD") + char(option) + QByteArray("\xFF\xFB") + char(option);
        const timeval limit{0, 100 * 1000};
        ::setsockopt(link, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
        while (storming)
            ::send(link, storm.constData(), storm.size(), MSG_NOSIGNAL);
        ::close(link);
    });
    const long before = server.residentKb();
    QTest::qWait(4000);
    const long after = server.residentKb();
    storming = false;
    node.join();
    ::close(listener);
    EXPECT_LT(after, 50 * 1024) << "from " << before << " kB";

    // It still serves its pages.
    EXPECT_FALSE(CurlHttpClient().get(server.site() + Page14).isEmpty());
}

TEST(HostileNode, TwoThousandSilentLocalClientsDoNotKeepTheProgramWaiting) {
    // The usual limit of open files of a desktop session.
    SpotServerProcess server(QString(), {}, 1024);
    ASSERT_FALSE(server.site().isEmpty());
    std::vector<int> silent;
    for (int i = 0; i < 2000; ++i) {
        const int fd = loopbackSocket(server.port(), false);
        if (fd >= 0)
            silent.push_back(fd);
    }
    EXPECT_EQ(silent.size(), 2000U);
    QElapsedTimer waited;
    waited.start();
    const QString page = CurlHttpClient().get(server.site() + Page14);
    EXPECT_FALSE(page.isEmpty());
    EXPECT_LT(waited.elapsed(), 1000);
    for (int fd : silent)
        ::close(fd);
}

TEST_F(DurerurFixture, ASpotServerAnsweringEveryQuestionAtOnceIsNotAskedInALoop) {
    LoopbackHttpServer server;
    server.setPage(Page14, "<html><body>No spots</body></html>");
    for (const char* since : {"0", "3"})
        server.setResponse(QStringLiteral("/changes?since=") + since,
                           {200, "application/json", R"({"sequence":3,"bands":[]})"});
    config.setSpotSite(server.baseAddress());
    window().Bande_CL->setCurrentIndex(5);
    window().Afficher->click();
    QTest::qWait(2000);
    // It was asked thousands of times a second.
    const qsizetype asked = server.requestedPaths().filter(QStringLiteral("/changes")).size();
    EXPECT_GE(asked, 2);
    EXPECT_LE(asked, 12);
}
