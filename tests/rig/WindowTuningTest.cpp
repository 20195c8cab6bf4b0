// Tuning from the main window: through a serial port, and through the
// programs that share the radio with the station's others. Hamlib's own daemon, rigctld with its
// dummy radio, is read back by Hamlib's own client, rigctl, as another program sharing the radio
// would. flrig's place is taken by a small XML-RPC responder (flrig itself needs a radio): the
// calls Hamlib's flrig back end makes are recorded and answered as an IC-7300 under flrig would.
#include "CarteBande.h"
#include "DummyRadio.h"
#include "DurerurFixture.h"
#include "TestSpots.h"

#include <QTcpServer>
#include <QTcpSocket>

namespace {

// In Emetteur.
constexpr int Ft847Index = 2;
constexpr int RigctldIndex = 14;
constexpr int FlrigIndex = 15;

QString line(const char* qrg, const char* remark) {
    return spotLine(testSpot("F5ABC", qrg, remark));
}

class FlrigResponder {
public:
    FlrigResponder() {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection())
                QObject::connect(socket, &QTcpSocket::readyRead,
                                 [this, socket] { serve(*socket); });
        });
    }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(server_.serverPort()); }
    // "method value" of every call that sets something, in order.
    QStringList sets;
    QString frequency = QStringLiteral("14000000");
    // Answers every call with a value of 12,000 characters, which ended
    // Hamlib's flrig back end with a crash.
    bool hostile = false;

private:
    void serve(QTcpSocket& socket) {
        pending_ += socket.readAll();
        for (;;) {
            const qsizetype headEnd = pending_.indexOf("\r\n\r\n");
            if (headEnd < 0)
                return;
            static const QRegularExpression lengthField(QStringLiteral("content-length: *(\\d+)"),
                                                        QRegularExpression::CaseInsensitiveOption);
            const qsizetype length =
                lengthField.match(QString::fromLatin1(pending_.left(headEnd))).captured(1).toInt();
            if (pending_.size() < headEnd + 4 + length)
                return;
            const QString call = QString::fromLatin1(pending_.mid(headEnd + 4, length));
            pending_.remove(0, headEnd + 4 + length);
            socket.write(respond(call));
        }
    }
    QByteArray respond(const QString& call) {
        static const QRegularExpression methodName(QStringLiteral("<methodName>([^<]*)<"));
        static const QRegularExpression firstValue(
            QStringLiteral("<value>(?:<[a-z0-9]+>)?([^<]*)<"));
        const QString method = methodName.match(call).captured(1);
        const QString param = firstValue.match(call).captured(1);
        static const QMap<QString, QString> answers{
            {"main.get_version", "1.4.7"},
            {"rig.get_xcvr", "IC-7300"},
            {"rig.get_AB", "A"},
            {"rig.get_modes", "<array><data><value>LSB</value><value>USB</value><value>CW</value>"
                              "<value>USB-D</value></data></array>"}};
        QString value = answers.value(method, QStringLiteral("0"));
        if (method.startsWith(QLatin1String("rig.set"))) {
            sets.append(method + ' ' + param);
            if (method.contains(QLatin1String("vfo")))
                frequency = param;
            if (method.contains(QLatin1String("mode")))
                mode_ = param;
        } else if (method.startsWith(QLatin1String("rig.get_mode")) && !answers.contains(method)) {
            value = mode_;
        } else if (method.startsWith(QLatin1String("rig.get_vfo"))) {
            value = frequency;
        }
        if (hostile)
            value = QString(12000, QLatin1Char('x'));
        const QByteArray body = ("<?xml version=\"1.0\"?>\n<methodResponse><params><param><value>" +
                                 value + "</value></param></params></methodResponse>\n")
                                    .toLatin1();
        return "HTTP/1.1 200 OK\r\nServer: XMLRPC++ 0.8\r\nContent-Type: text/xml\r\n"
               "Content-length: " +
               QByteArray::number(body.size()) + "\r\n\r\n" + body;
    }

    QTcpServer server_;
    QByteArray pending_;
    QString mode_ = QStringLiteral("USB");
};

} // namespace

class WindowTuning : public DurerurFixture {
protected:
    // A window with this transceiver chosen, no serial port yet, these spots
    // in its list.
    Durerur& start(int transceiver, const char* mode, const QStringList& lines) {
        config.setMode(QLatin1String(mode));
        restart({{"Latitude", "48.52N"},
                 {"Longitude", "2.31E"},
                 {"Transceiver", QString::number(transceiver)}});
        Durerur& w = window();
        w.Liste_Stations->addItems(lines);
        return w;
    }
    // Clicks a line; true when the window came back within the limit.
    static bool click(Durerur& w, int row) {
        QElapsedTimer clock;
        clock.start();
        w.Liste_Stations->setCurrentRow(-1);
        w.Liste_Stations->setCurrentRow(row);
        QCoreApplication::processEvents();
        return clock.elapsed() < 2500;
    }
};

class HamlibTuning : public WindowTuning {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("rigctld")).isEmpty())
            GTEST_SKIP() << "Hamlib's rigctld is not installed (libhamlib-utils)";
        port = freePort();
        config.setRigctld(QStringLiteral("127.0.0.1:%1").arg(port));
    }

    quint16 port = 0;
};

using FlrigTuning = WindowTuning;

TEST_F(WindowTuning, AClickedSpotTunesTheChosenModelAndNoPortSendsNothing) {
    Durerur& w = start(Ft847Index, "sideband", {line("14025.5", "CW")});
    w.Mnu_Com_Click(1);
    w.Emetteur->setCurrentText(QStringLiteral("FT-1000"));
    ASSERT_TRUE(click(w, 0));
    EXPECT_EQ(pty.readAvailable(100), QByteArray::fromHex("502540010A 010101010C"));

    w.Mnu_SansCom_Click();
    serial.setPortNumber(1);
    ASSERT_TRUE(serial.open()); // even an open port stays silent when none is chosen
    ASSERT_TRUE(click(w, 0));
    EXPECT_TRUE(pty.readAvailable(100).isEmpty());
}

TEST_F(HamlibTuning, TheProgramRunsRigctldForTheChosenRadioTunesItToEachSpotAndStopsIt) {
    // Hamlib's dummy radio stands for the chosen model: the device and speed
    // reach rigctld as given.
    config.setHamlibRadio(QStringLiteral("1"), QStringLiteral("/dev/ttyUSB7"),
                          QStringLiteral("19200"));
    const QStringList spots{line("14025.5", "CW 599"), line("14074.0", "FT8 -10DB"),
                            line("14200.0", "5/9 QSL VIA BURO")};
    // mode rule; frequency and mode another client reads after each click
    const std::pair<const char*, QStringList> rules[] = {
        {"bandplan", {"14025500 CW", "14074000 PKTUSB", "14200000 USB"}},
        {"none", {"14025500 AM", "14074000 AM", "14200000 AM"}},
    };
    ModalCloser closer;
    for (const auto& [rule, expected] : rules) {
        SCOPED_TRACE(rule);
        Durerur& w = start(RigctldIndex, rule, spots);
        EXPECT_EQ(w.NumPort->text(), "0");
        ASSERT_TRUE(click(w, 0)); // starts rigctld
        rigctl(port, {"M", "AM", "0"});
        for (int row = 0; row < spots.size(); ++row) {
            ASSERT_TRUE(click(w, row));
            EXPECT_EQ(rigctl(port, {"f", "m"}).mid(0, 2).join(' '), expected[row]);
        }
    }
    // The rigctld started with "-t port".
    const QString launched = runningProgramWith(QStringLiteral(" -t %1 ").arg(port)).second;
    for (const char* argument : {"-m 1 ", "-r /dev/ttyUSB7 ", "-s 19200 ", "-T 127.0.0.1 "})
        EXPECT_TRUE(launched.contains(QLatin1String(argument))) << launched.toStdString();
    EXPECT_TRUE(closer.texts().isEmpty()) << closer.texts().join(" ").toStdString();
    closeWindow();
    EXPECT_FALSE(LocalHelper::answers(port));
}

TEST_F(HamlibTuning, ADaemonThatGoesAwayIsReportedOnceAndFoundAgainWhenBack) {
    ModalCloser closer;
    Durerur& w = start(RigctldIndex, "sideband",
                       {line("14025.5", ""), line("21074.0", ""), line("7012.0", "")});
    // Nothing at the address: one message, then silence, the panel filled.
    ASSERT_TRUE(click(w, 0));
    ASSERT_TRUE(click(w, 1));
    EXPECT_EQ(closer.texts(),
              QStringList{QStringLiteral("rigctld ne répond pas sur 127.0.0.1:%1").arg(port)});
    EXPECT_EQ(w.Pays->text(), "France");

    // It comes: the next click tunes, with no restart of the program.
    DummyRigctld daemon(port);
    ASSERT_TRUE(click(w, 0));
    EXPECT_EQ(rigctl(port, {"f"}).value(0), "14025500");
    // It is restarted between two clicks: the kept link is stale, a new one
    // is made at once.
    daemon.stop();
    daemon.start();
    ASSERT_TRUE(click(w, 1));
    EXPECT_EQ(rigctl(port, {"f"}).value(0), "21074000");
    // Gone again after a success: said once more.
    daemon.stop();
    ASSERT_TRUE(click(w, 2));
    EXPECT_EQ(closer.texts().size(), 2);
}

// Hostile answers, then sane ones: the spots tune as each comes in.
TEST_F(FlrigTuning, FlrigIsToldTheFrequencyAndModeOfEachSpotAndAHostileOneFailsOnlyTheTuning) {
    FlrigResponder flrig;
    flrig.frequency = QStringLiteral("7012000");
    config.setFlrig(flrig.address());
    Durerur& w = start(FlrigIndex, "bandplan", {line("14025.5", "CW"), line("14074.0", "FT8")});
    // The band map reads the radio through flrig before any click.
    w.Mnu_Carte->trigger();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return w.bandMap().window()->Bande_Carte->currentText() == "40m"; }, 5000));
    w.bandMap().window()->close();

    flrig.hostile = true;
    ModalCloser closer;
    ASSERT_TRUE(click(w, 0));
    ASSERT_EQ(closer.texts().size(), 1);
    EXPECT_TRUE(closer.texts()[0].startsWith("flrig ne répond pas sur " + flrig.address()))
        << closer.texts()[0].toStdString();

    flrig.hostile = false;
    flrig.sets.clear();
    ASSERT_TRUE(click(w, 1));
    ASSERT_TRUE(click(w, 0));
    EXPECT_EQ(flrig.sets.filter(QRegularExpression(QStringLiteral("vfo|mode[AB] "))),
              (QStringList{"rig.set_vfoA 14074000", "rig.set_modeA USB-D", "rig.set_vfoA 14025500",
                           "rig.set_modeA CW"}))
        << flrig.sets.join(" / ").toStdString();
    EXPECT_EQ(closer.texts().size(), 1);
}
