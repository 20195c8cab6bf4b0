// A scripted cluster node's spots, relayed by the spot server, in the main
// window's spot list; and the spot server the program starts for itself.
#include "DurerurFixture.h"
#include "LocalSpotServer.h"
#include "LoopbackHttpServer.h"
#include "ScriptedClusterNode.h"
#include "SpotServerProcess.h"
#include "SpotSourceStatusText.h"
#include "TestSupport.h"

#include <QtWidgets>
#include <csignal>

namespace {

constexpr int Band14 = 5;
constexpr int AllHf = 0;

// The node gives the time of day only: spots of the last minutes, so that
// they are dated today (or yesterday just after midnight).
QByteArray spot(const char* spotter, const char* frequency, const char* dx, const char* comment,
                int minutesAgo) {
    const QByteArray time =
        QDateTime::currentDateTimeUtc().addSecs(-60 * minutesAgo).toString("HHmm").toLatin1();
    return QByteArray("DX de ") + spotter + ":     " + frequency + "  " + dx + "       " + comment +
           "   " + time + "Z\r\n";
}

class ClusterWindow : public DurerurFixture {
protected:
    // A configuration beside nothing else, naming the node and the login.
    QString configFor(const ScriptedClusterNode& node) {
        return nodeConfiguration(programFolder.path(), node.address(), "F4TEST");
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

TEST(LocalSpotServer, StartsWhenNothingAnswersAndStopsWithTheProgram) {
    const ProgramDirectory beside(QStringLiteral(PELK_PROGRAM_DIR));
    const QString site = QStringLiteral("http://127.0.0.1:%1").arg(freePort());
    const QString page = site + QStringLiteral("/dxc/top_50_14_MHz.html");
    CurlHttpClient http;
    {
        const LocalSpotServer source(beside, site);
        EXPECT_TRUE(source.started());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !http.get(page).isEmpty(); }, 5000));
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
    EXPECT_FALSE(LocalSpotServer(ProgramDirectory(empty.path()), site).started());
}

namespace {

// Ends the spot server listening on `port`, as the system would kill it.
bool killSpotServerOn(const QString& port) {
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        const QByteArray words = cmdline.readAll();
        const QByteArray portWords = QByteArray("--port") + '\0' + port.toLatin1() + '\0';
        if (words.contains("spot_server") && words.contains(portWords))
            return ::kill(pid.toInt(), SIGKILL) == 0;
    }
    return false;
}

} // namespace

TEST_F(DurerurFixture, ARefreshBringsAKilledSpotServerBack) {
    const QString port = QString::number(freePort());
    config.setSpotSite(QStringLiteral("http://127.0.0.1:") + port);
    LocalSpotServer source(ProgramDirectory(QStringLiteral(PELK_PROGRAM_DIR)), config.spotSite());
    ASSERT_TRUE(source.started());
    Durerur& w = window();
    w.setSpotSourceReviver([&source] { return source.revive(); });
    w.Bande_CL->setCurrentIndex(Band14);
    ModalCloser closer;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            w.Afficher->click();
            return w.Liste_Stations->count() > 0;
        },
        5000));

    ASSERT_TRUE(killSpotServerOn(port));
    QTest::qWait(100);
    w.Afficher->click();
    EXPECT_GT(w.Liste_Stations->count(), 0);
    EXPECT_TRUE(w.Timer2->isActive());
    EXPECT_TRUE(closer.texts().isEmpty()) << closer.texts().join(" ").toStdString();
}

TEST(SpotSourceStatusText, WhatTheRelayTellsInFrench) {
    const auto node = [](const char* state, const char* more) {
        return QByteArray(R"({"callsign":"F4XYZ/P","nodes":[{"node":"dxc.example.org:7300",)") +
               R"("state":")" + state + '"' + more + "}]}";
    };
    // Demonstration, connecting and live are read in the window below.
    const std::pair<QByteArray, QString> states[] = {
        {node("refused", R"(,"trouble":"invalid_callsign")"),
         "Spots : dxc.example.org refuse l'indicatif F4XYZ/P"},
        {node("refused", R"(,"trouble":"password_wanted")"),
         "Spots : dxc.example.org demande un mot de passe pour F4XYZ/P"},
        {node("refused", R"(,"trouble":"password_refused")"),
         "Spots : dxc.example.org refuse le mot de passe de F4XYZ/P"},
        {node("refused", R"(,"trouble":"bumped")"),
         "Spots : dxc.example.org a déconnecté F4XYZ/P, connecté ailleurs (utilisez un SSID : "
         "F4XYZ/P-7)"},
        {node("unreachable", R"(,"reason":"connexion refusée")"),
         "Spots : dxc.example.org:7300 injoignable (connexion refusée)"},
        {"", ""}, // a site that tells nothing
    };
    for (const auto& [json, text] : states)
        EXPECT_EQ(spotSourceStatusText(json), text);
}

TEST_F(DurerurFixture, TheStatusLineSaysWhereToSetACallsignForLiveSpots) {
    LoopbackHttpServer site;
    site.setPage(QStringLiteral("/dxc/top_50_14_MHz.html"), QByteArray("<html></html>\n"));
    site.setResponse(QStringLiteral("/status"),
                     {200, "application/json", R"({"demonstration":true})"});
    config.setSpotSite(site.baseAddress());
    restart({});
    window().Bande_CL->setCurrentIndex(Band14);
    window().Afficher->click();
    EXPECT_EQ(window().Etat_Spots->text(), "Spots de démonstration — indiquez votre indicatif "
                                           "dans Réglages pour les spots en direct");
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
}

TEST_F(ClusterWindow, TheStatusLineFollowsTheRealServerAndItsNode) {
    SpotServerProcess demo;
    config.setSpotSite(demo.site());
    restart({});
    window().Bande_CL->setCurrentIndex(Band14);
    window().Afficher->click();
    EXPECT_TRUE(window().Etat_Spots->text().startsWith("Spots de démonstration"));
    EXPECT_TRUE(window().Liste_Stations->item(0)->text().mid(37, 11) == "DEMO       ");
    // A list it cannot read: demonstration pages, and why.
    SpotServerProcess unreadable(nodeConfiguration(programFolder.path(), "a.org", "F4TEST"));
    config.setSpotSite(unreadable.site());
    restart({});
    window().Bande_CL->setCurrentIndex(Band14);
    window().Afficher->click();
    EXPECT_EQ(window().Etat_Spots->text(),
              "Spots : démonstration — « cluster » n'est pas une liste de nœuds hôte:port : a.org");

    ScriptedClusterNode node;
    node.setGreeting("login: ");
    SpotServerProcess server(configFor(node));
    ASSERT_TRUE(node.waitForReceived("F4TEST\r\n"));
    ASSERT_TRUE(node.send(spot("W3LPL", "14025.0", "JA1ABC", "CW", 1) +
                          spot("K3LR", "14026.0", "ZL1ABC", "CW", 1)));
    config.setSpotSite(server.site());
    restart({});
    EXPECT_EQ(shownAfterAfficher(Band14, 2), (QStringList{"JA1ABC", "ZL1ABC"}));
    EXPECT_EQ(window().Etat_Spots->text(), "Spots : en direct de " + node.address() + " (2 reçus)");
    // Between two refreshes too, a second late at most.
    ASSERT_TRUE(node.send(spot("K3LR", "14027.0", "VK2ABC", "CW", 0)));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return window().Etat_Spots->text() ==
                   "Spots : en direct de " + node.address() + " (3 reçus)";
        },
        2500))
        << window().Etat_Spots->text().toStdString();
}

TEST_F(ClusterWindow, ThreeNodesAtOnceEachSpotCountedOnceAndAFourthLeftOut) {
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
    const QByteArray again = spot("W3LPL", "14025.0", "JA1ABC", "CW 599", 2);
    ASSERT_TRUE(first.send(again + again + "\x01garbage\xFF\r\n" +
                           spot("K3LR", "7012.5", "ZL1ABC", "FT8", 2)));
    // The same station from another node, 0.3 kHz away: one row.
    ASSERT_TRUE(second.send(spot("DL1XYZ", "14025.3", "JA1ABC", "CW", 1)));
    ASSERT_TRUE(skimmers.send(spot("KM3T-2-#", "14100.0", "CS3B", "CW 24 dB 22 WPM CQ", 1)));
    config.setSpotSite(server.site());
    restart({});
    EXPECT_EQ(shownAfterAfficher(Band14, 2), (QStringList{"CS3B", "JA1ABC"}));
    EXPECT_EQ(shownAfterAfficher(AllHf, 3), (QStringList{"CS3B", "JA1ABC", "ZL1ABC"}));
    const QString status = "Spots : en direct de " + first.address() +
                           " (2 reçus) ; en direct de " + second.address() +
                           " (1 reçu) ; en direct de " + skimmers.address() +
                           " (1 reçu) ; trois nœuds au plus, ignorés : fourth.example.org:7300";
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            window().Afficher->click();
            return window().Etat_Spots->text() == status;
        },
        5000))
        << window().Etat_Spots->text().toStdString();
}
