// A scripted cluster node's spots, relayed by the spot server, in the main
// window's spot list; and the spot server the program starts for itself.
#include "DurerurFixture.h"
#include "LocalSpotServer.h"
#include "LoopbackHttpServer.h"
#include "RelaySpotFeed.h"
#include "ScriptedClusterNode.h"
#include "SpotServerProcess.h"
#include "SpotSourceStatusText.h"
#include "TestSupport.h"

#include <QtWidgets>
#include <csignal>

namespace {

constexpr int Band14 = 5;
constexpr int AllHf = 0;

class ClusterWindow : public DurerurFixture {
protected:
    // The list of 14 MHz from that site, in a new window.
    void showFrom(const QString& site) {
        config.setSpotSite(site);
        restart({});
        window().Bande_CL->setCurrentIndex(Band14);
        window().Afficher->click();
    }
    // Afficher until the list holds `count` lines, as a user pressing it
    // again would; the lines' DX fields in alphabetical order (the dates are
    // the test's own minutes, whose text order breaks at a new month).
    QStringList shownAfterAfficher(int band, int count) {
        window().Bande_CL->setCurrentIndex(band);
        QStringList dxs;
        for (int attempt = 0; attempt < 50; ++attempt) {
            window().Afficher->click();
            if (window().Liste_Stations->count() >= count)
                break;
            QTest::qWait(100);
        }
        for (int i = 0; i < window().Liste_Stations->count(); ++i)
            dxs.append(window().Liste_Stations->item(i)->text().mid(15, 12).trimmed());
        dxs.sort();
        return dxs;
    }
};

} // namespace

TEST_F(ClusterWindow, TheLocalSpotServerStartsARefreshRevivesItAndItStopsWithTheProgram) {
    const ProgramDirectory beside(QStringLiteral(PELK_PROGRAM_DIR));
    const QString port = QString::number(freePort());
    config.setSpotSite(QStringLiteral("http://127.0.0.1:") + port);
    const QString page = config.spotSite() + QStringLiteral("/dxc/top_50_14_MHz.html");
    {
        LocalSpotServer source(beside, config.spotSite());
        ASSERT_TRUE(source.started());
        Durerur& w = window();
        w.setSpotSourceReviver([&source] { return source.revive(); });
        ModalCloser closer;
        EXPECT_GT(shownAfterAfficher(Band14, 1).size(), 0);
        // Killed, as the system would.
        const int server = runningProgramWith("spot_server --port " + port + ' ').first;
        ASSERT_TRUE(server > 0 && ::kill(server, SIGKILL) == 0);
        QTest::qWait(100);
        w.Afficher->click();
        EXPECT_GT(w.Liste_Stations->count(), 0);
        EXPECT_TRUE(w.Timer2->isActive());
        EXPECT_TRUE(closer.texts().isEmpty()) << closer.texts().join(" ").toStdString();
        closeWindow();
    }
    EXPECT_TRUE(http.get(page).isEmpty());

    // A site that answers already, a site elsewhere, a folder without the
    // server: nothing is started.
    EXPECT_EQ(LocalSpotServer::localPort(QStringLiteral("http://localhost:9000/")), 9000);
    EXPECT_FALSE(LocalSpotServer::localPort(QStringLiteral("https://127.0.0.1:8073")));
    LoopbackHttpServer answering;
    EXPECT_FALSE(LocalSpotServer(beside, answering.baseAddress()).started());
    EXPECT_FALSE(LocalSpotServer(beside, QStringLiteral("http://example.org:8073")).started());
    QTemporaryDir empty;
    EXPECT_FALSE(LocalSpotServer(ProgramDirectory(empty.path()), config.spotSite()).started());
}

TEST(SpotSourceStatusText, WhatTheRelayTellsInFrench) {
    // Demonstration, connecting and live are read in the window below.
    const std::pair<const char*, QString> states[] = {
        {R"("refused","trouble":"invalid_callsign")",
         "Spots : dxc.example.org refuse l'indicatif F4XYZ/P"},
        {R"("refused","trouble":"password_wanted")",
         "Spots : dxc.example.org demande un mot de passe pour F4XYZ/P"},
        {R"("refused","trouble":"password_refused")",
         "Spots : dxc.example.org refuse le mot de passe de F4XYZ/P"},
        {R"("refused","trouble":"bumped")",
         "Spots : dxc.example.org a déconnecté F4XYZ/P, connecté ailleurs (utilisez un SSID : "
         "F4XYZ/P-7)"},
        {R"("unreachable","reason":"connexion refusée")",
         "Spots : dxc.example.org:7300 injoignable (connexion refusée)"},
    };
    for (const auto& [state, text] : states)
        EXPECT_EQ(spotSourceStatusText(QByteArray(R"({"callsign":"F4XYZ/P","nodes":[{"node":)"
                                                  R"("dxc.example.org:7300","state":)") +
                                       state + "}]}"),
                  text);
    EXPECT_EQ(spotSourceStatusText(""), ""); // a site that tells nothing
}

TEST_F(ClusterWindow, TheStatusLineFollowsTheSiteAndTheRealServer) {
    const Configuration withoutCallsign = config;
    LoopbackHttpServer site;
    site.setPage(QStringLiteral("/dxc/top_50_14_MHz.html"), QByteArray("<html></html>\n"));
    site.setResponse(QStringLiteral("/status"),
                     {200, "application/json", R"({"demonstration":true})"});
    showFrom(site.baseAddress());
    EXPECT_EQ(window().Etat_Spots->text(), "Spots de démonstration — indiquez votre indicatif "
                                           "et un nœud dans Réglages pour les spots en direct");
    // With a callsign set, demonstration spots are said to be so, and that is all.
    config = Configuration::parse(QStringLiteral("callsign = F4ABC\n"));
    config.setSpotSite(site.baseAddress());
    window().Afficher->click();
    EXPECT_EQ(window().Etat_Spots->text(), "Spots : démonstration");
    // A node's name is shown as written, never as markup.
    site.setResponse(QStringLiteral("/status"),
                     {200, "application/json",
                      R"({"nodes":[{"node":"<b>bold</b>:7300","state":"connecting"}]})"});
    window().Afficher->click();
    EXPECT_EQ(window().Etat_Spots->text(), "Spots : connexion à <b>bold</b>:7300…");
    EXPECT_EQ(window().Etat_Spots->textFormat(), Qt::PlainText);

    // The real server, no callsign set: its demonstration pages.
    config = withoutCallsign;
    SpotServerProcess demo;
    showFrom(demo.site());
    EXPECT_TRUE(window().Etat_Spots->text().startsWith("Spots de démonstration"));
    EXPECT_TRUE(window().Liste_Stations->item(0)->text().mid(37, 11) == "DEMO       ");
    // A list it cannot read: demonstration pages, and why.
    SpotServerProcess unreadable(nodeConfiguration(programFolder.path(), "a.org", "F4TEST"));
    showFrom(unreadable.site());
    EXPECT_EQ(window().Etat_Spots->text(),
              "Spots : démonstration — « cluster » n'est pas une liste de nœuds hôte:port : a.org");
}

TEST_F(ClusterWindow, ThreeNodesAtOnceEachSpotCountedOnceAFourthLeftOutTheCountsLive) {
    ScriptedClusterNode first, second, skimmers;
    for (ScriptedClusterNode* node : {&first, &second, &skimmers})
        node->setGreeting("Please enter your call: ");
    const QString path = nodeConfiguration(programFolder.path(),
                                           first.address() + ", " + second.address() + "," +
                                               skimmers.address() + ",fourth.example.org:7300",
                                           "F4TEST-7");
    SpotServerProcess server(path);
    for (ScriptedClusterNode* node : {&first, &second, &skimmers})
        ASSERT_TRUE(node->waitForReceived("F4TEST-7\r\n"));
    // The same spot live, then again in the node's list of its last ones.
    const QByteArray again = nodeSpot("W3LPL", "14025.0", "JA1ABC", "CW 599", 2);
    ASSERT_TRUE(first.send(again + again + "\x01garbage\xFF\r\n" +
                           nodeSpot("K3LR", "7012.5", "ZL1ABC", "FT8", 2)));
    // The same station from another node, 0.3 kHz away: one row.
    ASSERT_TRUE(second.send(nodeSpot("DL1XYZ", "14025.3", "JA1ABC", "CW", 1)));
    ASSERT_TRUE(skimmers.send(nodeSpot("KM3T-2-#", "14100.0", "CS3B", "CW 24 dB 22 WPM CQ", 1)));
    config.setSpotSite(server.site());
    restart({});
    EXPECT_EQ(shownAfterAfficher(Band14, 2), (QStringList{"CS3B", "JA1ABC"}));
    EXPECT_EQ(shownAfterAfficher(AllHf, 3), (QStringList{"CS3B", "JA1ABC", "ZL1ABC"}));
    const auto status = [&](const char* fromSecond) {
        return "Spots : en direct de " + first.address() + " (2 reçus) ; en direct de " +
               second.address() + fromSecond + " ; en direct de " + skimmers.address() +
               " (1 reçu) ; trois nœuds au plus, ignorés : fourth.example.org:7300";
    };
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            window().Afficher->click();
            return window().Etat_Spots->text() == status(" (1 reçu)");
        },
        5000))
        << window().Etat_Spots->text().toStdString();
    // For the band map, every spot of every band, none merged, the next one
    // as it comes.
    RelaySpotFeed feed;
    QStringList heard;
    QObject::connect(&feed, &RelaySpotFeed::spotsHeard, [&](const auto& spots) {
        for (const RelayProtocol::HeardSpot& spot : spots)
            heard.append(spot.spot.call + ' ' + spot.spot.frequency + ' ' + spot.spot.spotter);
    });
    feed.watch(server.port());
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard.size() == 5; }, 5000));
    heard.sort();
    EXPECT_EQ(heard,
              (QStringList{"CS3B 14100.0 KM3T-2-#", "JA1ABC 14025.0 W3LPL", "JA1ABC 14025.0 W3LPL",
                           "JA1ABC 14025.3 DL1XYZ", "ZL1ABC 7012.5 K3LR"}));
    // Between two refreshes too, a second late at most.
    ASSERT_TRUE(second.send(nodeSpot("K3LR", "14027.0", "VK2ABC", "CW", 0)));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return window().Etat_Spots->text() == status(" (2 reçus)"); }, 2500))
        << window().Etat_Spots->text().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return heard.size() == 6; }, 2500));
}
