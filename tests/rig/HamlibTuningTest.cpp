// Tuning through Hamlib's own daemon, rigctld with its dummy radio, read back
// by Hamlib's own client, rigctl, as another program sharing the radio would.
#include "CatSequences.h"
#include "DurerurFixture.h"
#include "LocalHelper.h"
#include "MessageBox.h"
#include "NetworkTuning.h"
#include "PseudoTerminal.h"
#include "SimulatedClock.h"
#include "Spot.h"
#include "TestSupport.h"
#include "TuningDispatch.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

constexpr int RigctldIndex = 14; // "Hamlib (rigctld)" in Emetteur

// rigctld -m 1: Hamlib's dummy radio, on a loopback port.
class DummyRigctld {
public:
    explicit DummyRigctld(quint16 port) : port_(port) { start(); }
    ~DummyRigctld() { stop(); }
    void start() {
        process_.start(QStringLiteral("rigctld"),
                       {"-m", "1", "-T", "127.0.0.1", "-t", QString::number(port_)});
        process_.waitForStarted();
        QElapsedTimer waited;
        waited.start();
        while (!LocalHelper::answers(port_) && waited.elapsed() < 5000)
            QTest::qWait(20);
    }
    void stop() {
        process_.terminate();
        process_.waitForFinished(3000);
    }

private:
    quint16 port_;
    QProcess process_;
};

// Hamlib's rigctl, model 2, against the daemon: its answer lines.
QStringList rigctl(quint16 port, const QStringList& commands) {
    QProcess client;
    client.start(QStringLiteral("rigctl"),
                 QStringList{"-m", "2", "-r", QStringLiteral("127.0.0.1:%1").arg(port)} + commands);
    client.waitForFinished(5000);
    return QString::fromLatin1(client.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

QString line(const char* qrg, const char* remark) {
    return QStringLiteral(" 06 DEC 14:05Z F5ABC        %1 DL1XYZ      %2")
        .arg(QLatin1String(qrg), 8)
        .arg(QLatin1String(remark));
}

// The arguments of the running program that listens on the loopback port
// (the last argument of a rigctld started with "-t port").
QStringList programListeningOn(quint16 port) {
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        const QStringList words = QString::fromLocal8Bit(cmdline.readAll()).split(QChar(0));
        if (words.contains(QStringLiteral("-t")) &&
            words.value(words.indexOf(QStringLiteral("-t")) + 1) == QString::number(port))
            return words;
    }
    return {};
}

// A serial link that keeps what is written to it.
struct KeepingLink : QtSerialLink {
    KeepingLink() : QtSerialLink([](int) { return QString(); }) {}
    bool isOpen() const override { return true; }
    void write(const QByteArray& bytes) override { sent += bytes; }
    bool drain(int) override { return true; }
    QByteArray sent;
};

// What the program's own sequence writes for a spot, under the band plan rule.
QByteArray programFrames(const char* model, const QString& spotLine) {
    KeepingLink link;
    SimulatedClock clock;
    CatSequences cat(link, clock);
    SilentMessages messages;
    NetworkTuning unused(nullptr, QString(), QString(), messages);
    const Spot spot = spotOfLine(spotLine);
    dispatchTuning(QStringLiteral("1"), QLatin1String(model), {spot.frequency, spot.remark},
                   ModeRule::BandPlan, {cat, unused, unused});
    return link.sent;
}

} // namespace

class HamlibTuning : public DurerurFixture {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("rigctld")).isEmpty())
            GTEST_SKIP() << "Hamlib's rigctld is not installed (libhamlib-utils)";
        port = freePort();
        config.setRigctld(QStringLiteral("127.0.0.1:%1").arg(port));
    }

    // A window with "Hamlib (rigctld)" chosen and no serial port, these spots
    // in its list.
    Durerur& start(const char* mode, const QStringList& lines) {
        config.setMode(QLatin1String(mode));
        restart({{"Latitude", "48.52N"},
                 {"Longitude", "2.31E"},
                 {"Transceiver", QString::number(RigctldIndex)}});
        Durerur& w = window();
        w.Liste_Stations->addItems(lines);
        return w;
    }
    // Clicks a line; true when the window came back within the limit.
    bool click(Durerur& w, int row) {
        QElapsedTimer clock;
        clock.start();
        w.Liste_Stations->setCurrentRow(-1);
        w.Liste_Stations->setCurrentRow(row);
        QCoreApplication::processEvents();
        return clock.elapsed() < 2500;
    }

    quint16 port = 0;
};

TEST_F(HamlibTuning, EachSpotTunesTheSharedRadioToItsFrequencyAndMode) {
    DummyRigctld daemon(port);
    const QStringList spots{line("14025.5", "CW 599"), line("14074.0", "FT8 -10DB"),
                            line("14200.0", "5/9 QSL VIA BURO")};
    // mode rule; frequency and mode another client reads after each click
    const std::pair<const char*, QStringList> rules[] = {
        {"sideband", {"14025500 USB", "14074000 USB", "14200000 USB"}},
        {"bandplan", {"14025500 CW", "14074000 PKTUSB", "14200000 USB"}},
        {"none", {"14025500 AM", "14074000 AM", "14200000 AM"}},
    };
    ModalCloser closer;
    for (const auto& [rule, expected] : rules) {
        SCOPED_TRACE(rule);
        Durerur& w = start(rule, spots);
        EXPECT_EQ(w.NumPort->text(), "0");
        rigctl(port, {"M", "AM", "0"});
        for (int row = 0; row < spots.size(); ++row) {
            ASSERT_TRUE(click(w, row));
            const QStringList answer = rigctl(port, {"f", "m"});
            ASSERT_GE(answer.size(), 2);
            EXPECT_EQ(answer[0] + ' ' + answer[1], expected[row]);
        }
    }
    EXPECT_TRUE(closer.texts().isEmpty());
}

TEST_F(HamlibTuning, ADaemonThatGoesAwayIsReportedOnceAndFoundAgainWhenBack) {
    ModalCloser closer;
    Durerur& w = start("sideband", {line("14025.5", ""), line("21074.0", ""), line("7012.0", "")});
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

TEST_F(HamlibTuning, TheProgramRunsRigctldForTheChosenRadioAndStopsItWithTheWindow) {
    // Hamlib's dummy radio stands for the chosen model: the device and speed
    // reach rigctld as given.
    config.setHamlibRadio(QStringLiteral("1"), QStringLiteral("/dev/ttyUSB7"),
                          QStringLiteral("19200"));
    ModalCloser closer;
    Durerur& w = start("bandplan", {line("14025.5", "CW 599")});
    ASSERT_TRUE(click(w, 0));
    EXPECT_EQ(rigctl(port, {"f", "m"}).mid(0, 2), (QStringList{"14025500", "CW"}));
    const QStringList launched = programListeningOn(port);
    for (const char* argument : {"-m 1 ", "-r /dev/ttyUSB7 ", "-s 19200 ", "-T 127.0.0.1 "})
        EXPECT_TRUE(launched.join(' ').contains(QLatin1String(argument)))
            << launched.join(' ').toStdString();
    EXPECT_TRUE(closer.texts().isEmpty()) << closer.texts().join(" ").toStdString();
    closeWindow();
    EXPECT_FALSE(LocalHelper::answers(port));
}

TEST(HamlibFrames, TheFt847CwBlockIsTheOneHamlibSends) {
    if (QStandardPaths::findExecutable(QStringLiteral("rigctl")).isEmpty())
        GTEST_SKIP() << "Hamlib's rigctl is not installed (libhamlib-utils)";
    // Hamlib's FT-847 back end (model 1001) setting CW on a pseudo-terminal.
    PseudoTerminal radio;
    QProcess hamlib;
    hamlib.start(QStringLiteral("rigctl"),
                 {"-m", "1001", "-r", radio.device(), "-s", "9600", "M", "CW", "0"});
    ASSERT_TRUE(hamlib.waitForFinished(10000));
    const QByteArray hamlibBytes = radio.readAvailable(500);

    // The program's own sequence for a CW spot on the FT-847.
    const QByteArray modeBlock = programFrames("FT-847", line("14025.5", "CW")).mid(10, 5);
    EXPECT_EQ(modeBlock.toHex(' '), "02 00 00 00 07");
    EXPECT_TRUE(hamlibBytes.contains(modeBlock)) << hamlibBytes.toHex(' ').toStdString();
}

TEST(HamlibFrames, TheIc706MkiigCwModeByteIsTheOneHamlibSends) {
    if (QStandardPaths::findExecutable(QStringLiteral("rigctl")).isEmpty())
        GTEST_SKIP() << "Hamlib's rigctl is not installed (libhamlib-utils)";
    // Hamlib's IC-706MkIIG back end (model 3011) setting CW writes its frame
    // even to a radio that never answers.
    PseudoTerminal radio;
    QProcess hamlib;
    hamlib.start(QStringLiteral("rigctl"),
                 {"-m", "3011", "-r", radio.device(), "-C", "timeout=100,retry=0", "M", "CW", "0"});
    ASSERT_TRUE(hamlib.waitForFinished(10000));
    const QByteArray hamlibBytes = radio.readAvailable(500).toHex(' ').toUpper();
    ASSERT_TRUE(hamlibBytes.contains("FE FE 58 E0 06 03 01 FD")) << hamlibBytes.toStdString();

    // Command and mode byte alike; Hamlib adds the filter (01, the normal
    // one), which the radio keeps as it is when none is given.
    const QByteArray ours = programFrames("IC-706 MKIIG", line("14025.5", "CW")).mid(11);
    EXPECT_EQ(ours.toHex(' ').toUpper(), "FE FE 58 00 06 03 FD");
}
