// WSJT-X's decodes through the main window, from scripted instances over
// real UDP sockets on the loopback.
#include "DurerurFixture.h"
#include "LoopbackSocket.h"
#include "WsjtxDatagrams.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>

namespace {

// One WSJT-X instance: a socket of its own, sending to the program.
struct Instance {
    QUdpSocket socket;
    quint16 to = 0;

    explicit Instance(quint16 port) : to(port) { socket.bind(QHostAddress::LocalHost, 0); }
    void send(const QByteArray& datagram) {
        socket.writeDatagram(datagram, QHostAddress::LocalHost, to);
    }
    QList<QByteArray> inbox;
    // What the program sent it, of one type, taken out of its inbox.
    QList<QByteArray> received(quint32 type) {
        while (socket.hasPendingDatagrams())
            inbox.append(socket.receiveDatagram().data());
        QList<QByteArray> taken;
        inbox.removeIf([&](const QByteArray& d) {
            return d.mid(8, 4) == be32(type) ? (taken.append(d), true) : false;
        });
        return taken;
    }
};

QString colourOf(const QListWidget& list, const QString& call) {
    const QList<QListWidgetItem*> found = list.findItems(call, Qt::MatchContains);
    const QVariant colour = found.isEmpty() ? QVariant() : found[0]->data(Qt::ForegroundRole);
    return colour.isValid() ? colour.value<QColor>().name() : QString();
}

} // namespace

using DecodesWindow = DurerurFixture;

TEST_F(DecodesWindow, EachCqIsListedByNeedCalledBackOnADoubleClickAndKnownLoggedAtOnce) {
    const QString logPath = programFolder.filePath(QStringLiteral("log.adi"));
    ASSERT_TRUE(
        writeFile(logPath, "<CALL:6>DL1XYZ<BAND:3>20m<MODE:3>FT8<LOTW_QSL_RCVD:1>Y<EOR>\n"));
    config.setValue(ConfigKey::AdifLog, logPath);
    const quint16 port = freePort();
    config.setValue(ConfigKey::WsjtxUdp, loopbackAddress(port));
    Durerur& w = window();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.Etat_Journal->text().isEmpty(); }, 5000));

    // Another program holding the port is told, with its cure.
    {
        QUdpSocket other;
        ASSERT_TRUE(other.bind(QHostAddress::LocalHost, freePort()));
        config.setValue(ConfigKey::WsjtxUdp, loopbackAddress(other.localPort()));
        w.applyConfiguration();
        EXPECT_TRUE(w.Etat_Wsjtx->text().contains("239.255.0.1"));
    }
    // A multicast group is shared with another listener: both receive.
    {
        QUdpSocket logger, wsjtx;
        const QHostAddress group(QStringLiteral("239.255.0.1"));
        const QNetworkInterface lo = QNetworkInterface::interfaceFromName("lo");
        const quint16 groupPort = freePort();
        ASSERT_TRUE(logger.bind(QHostAddress::AnyIPv4, groupPort, QUdpSocket::ShareAddress));
        ASSERT_TRUE(logger.joinMulticastGroup(group, lo));
        config.setValue(ConfigKey::WsjtxUdp, QStringLiteral("239.255.0.1:%1").arg(groupPort));
        w.applyConfiguration();
        EXPECT_FALSE(w.Etat_Wsjtx->isVisibleTo(&w));
        ASSERT_TRUE(wsjtx.bind(QHostAddress::LocalHost, 0));
        wsjtx.setMulticastInterface(lo);
        wsjtx.writeDatagram(statusDatagram("WSJT-X", 7074000), group, groupPort);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return w.decodes().listener().dialOf("WSJT-X") == 7074000; }, 2000));
        EXPECT_TRUE(logger.hasPendingDatagrams());
    }
    config.setValue(ConfigKey::WsjtxUdp, loopbackAddress(port));
    w.applyConfiguration();

    Instance ft8(port), second(port);
    // A heartbeat of schema 2 offering 3 is answered in 3.
    ft8.send(header(0, 2) + be32(3) + utf8("2.6.1") + utf8("abc"));
    ft8.send(statusDatagram("WSJT-X", 14074000));
    second.send(statusDatagram("WSJT-X - 40m", 7074000));
    ft8.send(decodeDatagram("WSJT-X", "CQ 3Y0J JD15", 1523));
    ft8.send(decodeDatagram("WSJT-X", "K1ABC F5XYZ -10", 800));
    ft8.send(decodeDatagram("WSJT-X", "CQ DL2ABC JO62", 600));
    second.send(decodeDatagram("WSJT-X - 40m", "CQ DX JA1ABC PM95", 1200));
    ft8.send(QByteArray(65000, '\xAD'));
    ft8.send(decodeDatagram("WSJT-X", "CQ VK2ABC QF56").left(40));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return w.decodes().window() && w.decodes().window()->Liste_Decodages->count() == 3; },
        3000));
    EXPECT_TRUE(w.decodes().window()->isVisible());
    EXPECT_EQ(w.decodes().listener().dropped(), 2);
    QListWidget& list = *w.decodes().window()->Liste_Decodages;
    // Newest first, each marked and coloured as a spot of its station, band
    // and mode would be; each instance with its own dial.
    EXPECT_EQ(lineTexts(list),
              QStringList({"143015 -12 1200 FT8  JA1ABC       Japan                Nouvelle entité "
                           "    CQ DX JA1ABC PM95",
                           "143015 -12  600 FT8  DL2ABC       Fed. Rep. of Germany Confirmé "
                           "           CQ DL2ABC JO62",
                           "143015 -12 1523 FT8  3Y0J         Bouvet               Nouvelle entité "
                           "    CQ 3Y0J JD15"}));
    EXPECT_EQ(colourOf(list, "DL2ABC"), "");
    EXPECT_EQ(colourOf(list, "3Y0J"), "#c00000");
    EXPECT_EQ(counting.played, 2);
    // Answered in the highest schema both know.
    EXPECT_TRUE(ft8.received(0).value(0).startsWith(header(0).left(12)));

    // Heard again: moved up, no second alert for its entity.
    ft8.send(decodeDatagram("WSJT-X", "CQ 3Y0J JD15", 1523));
    ASSERT_TRUE(QTest::qWaitFor([&] { return list.item(0)->text().contains("3Y0J"); }, 2000));
    EXPECT_EQ(counting.played, 2);
    // Every needed call coloured in WSJT-X too (background first: a valid
    // colour).
    const QList<QByteArray> coloured = ft8.received(13);
    const QByteArray colouredPrefix = header(13) + utf8("3Y0J") + '\1';
    EXPECT_TRUE(std::any_of(coloured.begin(), coloured.end(),
                            [&](const QByteArray& d) { return d.startsWith(colouredPrefix); }));

    // A double click calls the station through the instance that heard it,
    // its decode's fields repeated exactly.
    ft8.received(0);
    const QPoint first = list.visualItemRect(list.item(0)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, first);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, first);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ft8.socket.hasPendingDatagrams(); }, 2000));
    EXPECT_EQ(ft8.received(4),
              QList<QByteArray>{header(4) + decodeFields("CQ 3Y0J JD15", 1523) + '\0'});
    EXPECT_TRUE(w.Etat_Wsjtx->text().startsWith("Appel de 3Y0J transmis à WSJT-X"));

    // Logged in WSJT-X: known at once, by either of its messages.
    QByteArray whenOff = be64(2461383) + be32(52300000) + '\1';
    ft8.send(header(5) + whenOff + utf8("3Y0J") + utf8("JD15") + be64(14075523) + utf8("FT8"));
    second.send(header(12, 3, "WSJT-X - 40m") +
                utf8("<adif_ver:5>3.1.0\n<EOH>\n<call:6>JA1ABC <band:3>40m <mode:3>FT8 <eor>"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return colourOf(list, "JA1ABC") == "#0000c0" && colourOf(list, "3Y0J") == "#0000c0";
        },
        2000));
    EXPECT_EQ(w.Etat_Journal->text(), "Journal : 1 QSO, 1 entité dont 1 confirmée");

    // "Nouveaux seulement" keeps what a contact would still bring.
    w.Check5->click();
    EXPECT_EQ(list.count(), 2);

    // Leaving, the program takes its colours off WSJT-X's calls.
    w.close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ft8.socket.hasPendingDatagrams(); }, 2000));
    const QList<QByteArray> cleared = ft8.received(13);
    EXPECT_TRUE(std::any_of(cleared.begin(), cleared.end(), [&](const QByteArray& d) {
        return d.startsWith(header(13) + utf8("3Y0J") + '\0');
    }));
}
