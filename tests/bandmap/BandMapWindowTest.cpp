// The band map through the main window, its spots from the real relay and a
// scripted node: the same station merged, the spotters' continent, a click
// that fills the details panel as a click on the list does, a band chosen;
// with Hamlib's dummy radio, the radio followed and tuned through a contest.
#include "DummyRadio.h"
#include "DurerurFixture.h"
#include "LoopbackSocket.h"
#include "ScriptedClusterNode.h"
#include "SpotServerProcess.h"

namespace {

// In Emetteur.
constexpr int RigctldIndex = 14;

// Each entry as a screen reader reads it, without its age.
QStringList entryNames(const CarteBande& map) {
    QStringList all;
    for (const QToolButton* entry : map.Vue_Carte->buttons())
        all.append(entry->accessibleName().section(" min", 0, 0).section(' ', 0, -2));
    return all;
}

double opacityOf(const QToolButton* entry) {
    return entry->palette().color(QPalette::ButtonText).alphaF();
}

} // namespace

TEST_F(DurerurFixture, TheMapShowsTheRelaysSpotsMergedFilteredAndClickable) {
    ScriptedClusterNode node;
    node.setGreeting("login: ");
    SpotServerProcess server(nodeConfiguration(programFolder.path(), node.address(), "F4TEST-7"));
    ASSERT_TRUE(node.waitForReceived("F4TEST-7\r\n"));
    ASSERT_TRUE(node.send(nodeSpot("W3LPL", "14025.0", "JA1ABC") +
                          nodeSpot("DL1XYZ", "14025.4", "JA1ABC") +
                          nodeSpot("KM3T-2-#", "14100.0", "CS3B", "CW 24 dB 22 WPM CQ") +
                          nodeSpot("G4ABC", "7012.5", "ZL1ABC")));
    config.setSpotSite(server.site());
    // No callsign: the continent is the position's, Europe.
    restart({{"Latitude", "48.52N"}, {"Longitude", "2.31E"}});
    window().Mnu_Carte->trigger();
    CarteBande& map = *window().bandMap().window();
    const auto names = [&] { return entryNames(map); };
    // The radio's band unknown: 20 m until a spot is tuned.
    ASSERT_TRUE(QTest::qWaitFor([&] { return names().size() == 2; }, 5000))
        << names().join('|').toStdString();
    EXPECT_EQ(names(), (QStringList{"14025.4 JA1ABC ×2", "14100.0 CS3B"}));
    EXPECT_TRUE(map.Vue_Carte->buttons()[1]->toolTip().contains("24 dB 22 WPM"));

    map.Check_Continent->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return names().size() == 1; }, 2000));
    EXPECT_EQ(names(), QStringList{"14025.4 JA1ABC"});
    map.Vue_Carte->buttons()[0]->click();
    EXPECT_EQ(window().Pays->text(), "Japan");

    emit map.Bande_Carte->activated(3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return names() == QStringList{"7012.5 ZL1ABC"}; }, 2000))
        << names().join('|').toStdString();
}

TEST_F(DurerurFixture, WithoutANodeTheMapShowsTheSpotsOfThePagesReadAndSaysSo) {
    SpotServerProcess server(nodeConfiguration(programFolder.path(), QString(), "F4TEST"));
    config.setSpotSite(server.site());
    // The 20 m page, the map's band until a spot is tuned.
    restart({{"Latitude", "48.52N"}, {"Longitude", "2.31E"}, {"bande Durerur", "5"}});
    window().Mnu_Carte->trigger();
    window().Afficher->click();
    const CarteBande& map = *window().bandMap().window();
    ASSERT_TRUE(QTest::qWaitFor([&] { return entryNames(map).size() > 5; }, 5000));
    EXPECT_EQ(map.Etat_Carte->text(),
              "Spots des pages lues seulement : le serveur de spots local n'a pas de nœud");
}

TEST_F(DurerurFixture, TheMapFollowsTheRadioAgesItsSpotsAndAClickTunesItThroughAContest) {
    if (QStandardPaths::findExecutable(QStringLiteral("rigctld")).isEmpty())
        GTEST_SKIP() << "Hamlib's rigctld is not installed (libhamlib-utils)";
    DummyRigctld radio(freePort());
    rigctl(radio.port, {"F", "7012000"});
    ScriptedClusterNode node;
    node.setGreeting("login: ");
    SpotServerProcess server(nodeConfiguration(programFolder.path(), node.address(), "F4TEST-7"));
    ASSERT_TRUE(node.waitForReceived("F4TEST-7\r\n"));
    ASSERT_TRUE(node.send(
        nodeSpot("W3LPL", "7010.0", "JA1ABC") + nodeSpot("DL1XYZ", "7020.0", "ZL1ABC", "CQ", 8) +
        nodeSpot("G4ABC", "7030.0", "VK2ABC", "CQ", 12) + nodeSpot("W1AW", "14025.0", "3Y0J")));
    config.setSpotSite(server.site());
    config.setRigctld(QStringLiteral("127.0.0.1:%1").arg(radio.port));
    config.setValue(ConfigKey::BandMapMinutes, QStringLiteral("10"));
    config.setMode(QStringLiteral("bandplan"));
    restart({{"Latitude", "48.52N"},
             {"Longitude", "2.31E"},
             {"Transceiver", QString::number(RigctldIndex)}});
    window().Mnu_Carte->trigger();
    CarteBande& map = *window().bandMap().window();
    const auto names = [&] { return entryNames(map); };

    // The radio on 40 m: a spot of now plain, one of 8 minutes fading, one
    // of 12 minutes gone.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return names() == QStringList{"7010.0 JA1ABC", "7020.0 ZL1ABC"};
        },
        5000))
        << names().join('|').toStdString();
    EXPECT_EQ(opacityOf(map.Vue_Carte->buttons()[0]), 1.0);
    EXPECT_LT(opacityOf(map.Vue_Carte->buttons()[1]), 1.0);

    // Retuned by another program: the map follows within a second or two.
    rigctl(radio.port, {"F", "14020000"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return names() == QStringList{"14025.0 3Y0J"}; }, 5000))
        << names().join('|').toStdString();

    // A contest on the Reverse Beacon Network, ten times 600 spots a minute:
    // a hundred stations each heard by twelve skimmers, and a click halfway.
    for (int burst = 0; burst < 12; ++burst) {
        QByteArray spots;
        for (int station = 0; station < 100; ++station)
            spots += nodeSpot(
                QByteArray("DL" + QByteArray::number(burst) + "SKM-#").constData(),
                QByteArray::number(14030.0 + station + 0.1 * (burst % 3), 'f', 1).constData(),
                "K" + QByteArray::number(station) + "XX", "CW 12 dB 28 WPM CQ");
        ASSERT_TRUE(node.send(spots));
        if (burst == 6) {
            const auto dx = std::find_if(
                map.Vue_Carte->buttons().begin(), map.Vue_Carte->buttons().end(),
                [](const QToolButton* entry) { return entry->accessibleName().contains("3Y0J"); });
            ASSERT_NE(dx, map.Vue_Carte->buttons().end());
            (*dx)->click();
            EXPECT_EQ(rigctl(radio.port, {"f", "m"}).mid(0, 2), (QStringList{"14025000", "CW"}));
        }
        QTest::qWait(1000);
    }
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return names().filter(QStringLiteral(" ×12")).size() == 100; }, 5000))
        << names().size();
    EXPECT_EQ(names().size(), 101);
}
