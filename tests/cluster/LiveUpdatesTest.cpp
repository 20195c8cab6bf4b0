// Spots shown as the node sends them, the main window updating between two
// minute refreshes: what the user sees around an update, the relay in this
// process.
#include "DurerurFixture.h"
#include "ScriptedClusterNode.h"
#include "SpotRelay.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

constexpr int Band14 = 5;

QByteArray spot(const QByteArray& dx, const char* frequency, const QByteArray& spotter = "W3LPL") {
    return "DX de " + spotter + ":     " + QByteArray(frequency) + "  " + dx + "       CQ   " +
           QDateTime::currentDateTimeUtc().toString("HHmm").toLatin1() + "Z\r\n";
}

class LiveUpdates : public DurerurFixture {
protected:
    void SetUp() override {
        node.setGreeting("login: ");
        startRelay();
        ASSERT_TRUE(node.waitForReceived("F4TEST\r\n"));
        config.setSpotSite(QStringLiteral("http://127.0.0.1:%1").arg(port));
        restart({{"Latitude", "48.52N"}, {"Longitude", "2.31E"}});
    }
    void TearDown() override { closeWindow(); }
    void startRelay() {
        relay = std::make_unique<SpotRelay>(
            Configuration::parse("callsign = F4TEST\ncluster = " + node.address() + "\n"),
            ClusterTiming{});
        ASSERT_TRUE(relay->listen(port));
    }
    bool listed(const QString& dx) {
        return !window().Liste_Stations->findItems(dx, Qt::MatchContains).isEmpty();
    }

    ScriptedClusterNode node;
    quint16 port = freePort();
    std::unique_ptr<SpotRelay> relay;
};

} // namespace

TEST_F(LiveUpdates, ASpotShowsWithoutWaitingForTheMinuteAndNothingMovesUnderThePointer) {
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(node.send(
            spot("VK2A" + QByteArray(1, char('A' + i % 26)) + QByteArray::number(i), "14025.0")));
    QTest::qWait(200);
    closeWindow();
    CountingSound counting(sound);
    Durerur w(state, settings, config, directory,
              Platform{http, serial, counting, messages, clock});
    w.Bande_CL->setCurrentIndex(Band14);
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

    ASSERT_TRUE(node.send(spot("VK9NEW", "14030.0")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Liste_Stations->count() == 31; }, 3000));
    EXPECT_EQ(w.Liste_Stations->currentItem()->text(), selected);
    EXPECT_EQ(w.Pays->text(), country);
    EXPECT_EQ(w.Liste_Stations->itemAt(0, 0)->text(), top);
    EXPECT_EQ(counting.played, played + 1);
    EXPECT_TRUE(w.Timer2->isActive());

    // The same station again on its frequency, by another spotter: the list
    // updated, no news, no sound.
    ASSERT_TRUE(node.send(spot("VK9NEW", "14030.0", "K1TTT")));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !w.Liste_Stations->findItems("K1TTT", Qt::MatchContains).isEmpty(); }, 3000));
    EXPECT_EQ(counting.played, played + 1);
    ASSERT_TRUE(node.send(spot("VK2ZZZ", "14031.0")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Liste_Stations->count() == 32; }, 3000));
    EXPECT_EQ(counting.played, played + 2);
}

TEST_F(LiveUpdates, AStormMakesTwoUpdatesASecondAtMostAndARestartedRelayIsFollowedAgain) {
    window().Bande_CL->setCurrentIndex(Band14);
    window().Afficher->click();
    int updates = 0;
    // Counted while this test runs only: the list is cleared again when the
    // window is destroyed, after `updates` is gone.
    QObject counting;
    QObject::connect(window().Liste_Stations->model(), &QAbstractItemModel::modelReset, &counting,
                     [&] { ++updates; });
    // 250 spots in about 5 s: an update each half second at most.
    QElapsedTimer storm;
    storm.start();
    for (int i = 0; i < 250; ++i) {
        ASSERT_TRUE(node.send(spot("K" + QByteArray::number(i) + "AB", "14020.0")));
        QTest::qWait(20);
    }
    EXPECT_GE(updates, 2);
    EXPECT_LE(updates, storm.elapsed() / 500 + 1);

    // The relay goes and comes back on its port, counting its changes from
    // nothing again: its pages are taken at once, no click.
    relay.reset();
    QTest::qWait(300);
    startRelay();
    ASSERT_TRUE(node.waitForConnections(2));
    ASSERT_TRUE(node.waitForReceived("F4TEST\r\n"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window().Liste_Stations->count() == 0; }, 8000));
    ASSERT_TRUE(node.send(spot("ZL9BACK", "14010.0")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return listed("ZL9BACK"); }, 8000));
}
