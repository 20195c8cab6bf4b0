// The band map through the main window, its spots from the real relay and a
// scripted node: the same station merged, the spotters' continent, a click
// that fills the details panel as a click on the list does, a band chosen.
#include "DurerurFixture.h"
#include "ScriptedClusterNode.h"
#include "SpotServerProcess.h"

#include <QtWidgets>

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
    config.setValue(ConfigKey::Callsign, QStringLiteral("F4TEST"));
    restart({{"Latitude", "48.52N"}, {"Longitude", "2.31E"}});
    window().Mnu_Carte->trigger();
    CarteBande& map = *window().bandMap().window();
    const auto names = [&] {
        QStringList all;
        for (const QToolButton* entry : map.Vue_Carte->buttons())
            all.append(entry->accessibleName().section(" min", 0, 0).section(' ', 0, -2));
        return all;
    };
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
