// Spots shown as the node sends them, the main window updating between two
// minute refreshes, the relay in this process: what the user sees around an
// update, under a storm of spots, and once the relay comes back.
#include "DurerurFixture.h"
#include "ScriptedClusterNode.h"
#include "SpotRelay.h"

TEST_F(DurerurFixture, LiveSpotsShowAtOnceNothingMovesUnderThePointerAStormIsThrottled) {
    ScriptedClusterNode node;
    node.setGreeting("login: ");
    const quint16 port = freePort();
    const auto startRelay = [&] {
        auto relay = std::make_unique<SpotRelay>(
            Configuration::parse("callsign = F4TEST\ncluster = " + node.address() + "\n"),
            ClusterTiming{});
        EXPECT_TRUE(relay->listen(port));
        return relay;
    };
    std::unique_ptr<SpotRelay> relay = startRelay();
    ASSERT_TRUE(node.waitForReceived("F4TEST\r\n"));
    config.setSpotSite(QStringLiteral("http://127.0.0.1:%1").arg(port));
    restart({{"Latitude", "48.52N"}, {"Longitude", "2.31E"}});
    closeWindow();
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(node.send(
            nodeSpot("W3LPL", "14025.0",
                     "VK2A" + QByteArray(1, char('A' + i % 26)) + QByteArray::number(i))));
    QTest::qWait(200);
    Durerur& w = window();
    w.Bande_CL->setCurrentIndex(5); // 14 MHz
    w.Indicatif->setText(QStringLiteral("VK"));
    w.Check2->setChecked(true);
    w.Check3->setChecked(true);
    w.Afficher->click();
    ASSERT_EQ(w.Liste_Stations->count(), 30);
    const int played = counting.played;
    w.Liste_Stations->setCurrentRow(5);
    const QString selected = w.Liste_Stations->currentItem()->text();
    const QString country = w.Pays->text();
    w.Liste_Stations->scrollToItem(w.Liste_Stations->item(3), QAbstractItemView::PositionAtTop);
    const QString top = w.Liste_Stations->itemAt(0, 0)->text();

    ASSERT_TRUE(node.send(nodeSpot("W3LPL", "14030.0", "VK9NEW")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Liste_Stations->count() == 31; }, 3000));
    EXPECT_EQ(std::tuple(w.Liste_Stations->currentItem()->text(), w.Pays->text(),
                         w.Liste_Stations->itemAt(0, 0)->text(), counting.played),
              std::tuple(selected, country, top, played + 1));
    EXPECT_TRUE(w.Timer2->isActive());

    // The same station again on its frequency, by another spotter: the list
    // updated, no news, no sound.
    const auto listed = [&](const char* text) {
        return !w.Liste_Stations->findItems(text, Qt::MatchContains).isEmpty();
    };
    ASSERT_TRUE(node.send(nodeSpot("K1TTT", "14030.0", "VK9NEW")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return listed("K1TTT"); }, 3000));
    EXPECT_EQ(counting.played, played + 1);
    ASSERT_TRUE(node.send(nodeSpot("W3LPL", "14031.0", "VK2ZZZ")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Liste_Stations->count() == 32; }, 3000));
    EXPECT_EQ(counting.played, played + 2);

    // 250 spots in about 5 s: an update each half second at most.
    w.Check2->setChecked(false);
    w.Afficher->click();
    int updates = 0;
    // Counted while `updates` lives: the list is cleared again when the
    // window is destroyed.
    QObject during;
    QObject::connect(w.Liste_Stations->model(), &QAbstractItemModel::modelReset, &during,
                     [&] { ++updates; });
    QElapsedTimer storm;
    storm.start();
    for (int i = 0; i < 250; ++i) {
        ASSERT_TRUE(node.send(nodeSpot("W3LPL", "14020.0", "K" + QByteArray::number(i) + "AB")));
        QTest::qWait(20);
    }
    EXPECT_GE(updates, 2);
    EXPECT_LE(updates, storm.elapsed() / 500 + 1);

    // The relay goes and comes back on its port, counting its changes from
    // nothing again: its pages are taken at once, no click.
    relay.reset();
    QTest::qWait(300);
    relay = startRelay();
    ASSERT_TRUE(node.waitForConnections(2));
    ASSERT_TRUE(node.waitForReceived("F4TEST\r\n"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.Liste_Stations->count() == 0; }, 8000));
    ASSERT_TRUE(node.send(nodeSpot("W3LPL", "14010.0", "ZL9BACK")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return listed("ZL9BACK"); }, 8000));
}
