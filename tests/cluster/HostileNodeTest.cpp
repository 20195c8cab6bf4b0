// The spot server in front of peers that do it harm: a node that asks for
// telnet options without end and never reads, and a flood of local clients
// that connect and say nothing. The program is still served. And a spot
// server that answers every question for changes at once, without a change:
// the window does not ask in a loop.
#include "DurerurFixture.h"
#include "LoopbackHttpServer.h"
#include "SpotServerProcess.h"

#include <atomic>
#include <thread>

const QString Page14 = QStringLiteral("/dxc/top_50_14_MHz.html");

TEST(HostileNode, OptionRequestsWithoutEndNeverFillTheServersMemory) {
    const LoopbackSocket listener = LoopbackSocket::listening();
    ASSERT_TRUE(listener.ok());
    QTemporaryDir folder;
#if defined(__SANITIZE_ADDRESS__)
    // A sanitized server would hold every chunk it frees in its quarantine,
    // which is not what is measured here.
    qputenv("ASAN_OPTIONS", "quarantine_size_mb=0");
#endif
    SpotServerProcess server(
        nodeConfiguration(folder.path(), loopbackAddress(listener.port()), "F4TEST"));
    ASSERT_FALSE(server.site().isEmpty());

    // Every option asked for, again and again, as fast as the link takes it,
    // and not one byte read back.
    std::atomic<bool> storming{true};
    std::thread node([&] {
        const LoopbackSocket link = listener.accept();
        QByteArray storm;
        for (int option = 0; option < 256; ++option)
            storm += QByteArray("\xFF\xFD") + char(option) + QByteArray("\xFF\xFB") + char(option);
        while (storming)
            link.send(storm, 100);
    });
    const long before = server.residentKb();
    QTest::qWait(4000);
    const long after = server.residentKb();
    storming = false;
    node.join();
    EXPECT_LT(after, 50 * 1024) << "from " << before << " kB";

    // It still serves its pages.
    EXPECT_FALSE(CurlHttpClient().get(server.site() + Page14).isEmpty());
}

TEST(HostileNode, TwoThousandSilentLocalClientsDoNotKeepTheProgramWaiting) {
    // The usual limit of open files of a desktop session.
    SpotServerProcess server(QString(), {}, 1024);
    ASSERT_FALSE(server.site().isEmpty());
    std::vector<LoopbackSocket> silent;
    for (int i = 0; i < 2000; ++i)
        if (LoopbackSocket client = LoopbackSocket::connectTo(server.port()); client.ok())
            silent.push_back(std::move(client));
    EXPECT_EQ(silent.size(), 2000U);
    QElapsedTimer waited;
    waited.start();
    const QString page = CurlHttpClient().get(server.site() + Page14);
    EXPECT_FALSE(page.isEmpty());
    EXPECT_LT(waited.elapsed(), 1000);
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
