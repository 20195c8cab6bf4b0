// Tuning through Hamlib's own daemon, rigctld with its dummy radio, read back
// by Hamlib's own client, rigctl, as another program sharing the radio would.
#include "CatSequences.h"
#include "DurerurFixture.h"
#include "LocalHelper.h"
#include "MessageBox.h"
#include "NetworkTuning.h"
#include "PseudoTerminal.h"
#include "SimulatedClock.h"
#include "TuningDispatch.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTest>
#include <atomic>
#include <mutex>
#include <poll.h>
#include <pty.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int RigctldIndex = 14; // "Hamlib (rigctld)" in Emetteur

quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

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

// An Icom radio at the far end of a pseudo-terminal, as much of it as
// Hamlib's back ends ask at opening and for a tuning: every frame is echoed,
// as the CI-V bus does, then answered; reads get 14 MHz and USB, settings an
// OK, anything else a refusal.
class IcomResponder {
public:
    explicit IcomResponder(char address) : address_(address) {
        char name[256] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) == 0)
            device_ = QString::fromLocal8Bit(name);
        thread_ = std::thread([this] { run(); });
    }
    ~IcomResponder() {
        running_ = false;
        thread_.join();
        ::close(master_);
        ::close(slave_);
    }
    const QString& device() const { return device_; }
    // Every frame received, in hex.
    QStringList frames() const {
        const std::lock_guard lock(mutex_);
        return frames_;
    }

private:
    void run() {
        QByteArray pending;
        while (running_) {
            pollfd wait{master_, POLLIN, 0};
            if (::poll(&wait, 1, 50) <= 0)
                continue;
            char buffer[256];
            const ssize_t got = ::read(master_, buffer, sizeof buffer);
            if (got <= 0)
                continue;
            pending.append(buffer, got);
            for (qsizetype end; (end = pending.indexOf('\xFD')) >= 0;) {
                const QByteArray frame = pending.left(end + 1);
                pending.remove(0, end + 1);
                {
                    const std::lock_guard lock(mutex_);
                    frames_.append(frame.toHex(' ').toUpper());
                }
                const QByteArray answer = frame + reply(frame);
                [[maybe_unused]] const ssize_t sent =
                    ::write(master_, answer.constData(), answer.size());
            }
        }
    }
    QByteArray reply(const QByteArray& frame) const {
        const QByteArray head = QByteArray::fromHex("FEFEE0") + address_;
        if (frame.size() < 6)
            return head + QByteArray::fromHex("FAFD");
        const auto command = static_cast<unsigned char>(frame[4]);
        const qsizetype data = frame.size() - 6;
        if (command == 0x03)
            return head + QByteArray::fromHex("030000001400FD");
        if (command == 0x25 && data == 1)
            return head + QByteArray::fromHex("25000000001400FD");
        if (command == 0x26 && data == 1)
            return head + QByteArray::fromHex("2600010001FD");
        if (command == 0x0F)
            return head + QByteArray::fromHex("0F00FD");
        if (command == 0x05 || command == 0x06 || command == 0x07 || command == 0x25 ||
            command == 0x26)
            return head + QByteArray::fromHex("FBFD");
        return head + QByteArray::fromHex("FAFD");
    }

    char address_;
    int master_ = -1;
    int slave_ = -1;
    QString device_;
    std::atomic<bool> running_{true};
    mutable std::mutex mutex_;
    QStringList frames_;
    std::thread thread_;
};

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
    struct : MessageBox {
        void show(const QString&) override {}
    } messages;
    NetworkTuning unused(nullptr, QString(), QString(), messages);
    dispatchTuning(QStringLiteral("1"), QLatin1String(model), spotLine, ModeRule::BandPlan,
                   {cat, unused, unused});
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

TEST_F(HamlibTuning, TheProgramRunsRigctldForAnIc7300OnItsSerialDevice) {
    IcomResponder radio('\x94');
    config.setHamlibRadio(QStringLiteral("3073"), radio.device(), QStringLiteral("19200"));
    ModalCloser closer;
    Durerur& w = start("bandplan", {line("14025.5", "CW 599")});
    ASSERT_TRUE(click(w, 0));
    // Hamlib's IC-7300 back end sets the selected VFO's frequency (0x25 00)
    // and mode (0x26 00: CW, data off, filter 1).
    EXPECT_TRUE(radio.frames().contains("FE FE 94 E0 25 00 00 55 02 14 00 FD"))
        << radio.frames().join(" / ").toStdString();
    EXPECT_TRUE(radio.frames().contains("FE FE 94 E0 26 00 03 00 01 FD"));
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
    // Hamlib's IC-706MkIIG back end (model 3011) setting CW.
    IcomResponder radio('\x58');
    QProcess hamlib;
    hamlib.start(QStringLiteral("rigctl"),
                 {"-m", "3011", "-r", radio.device(), "-s", "19200", "M", "CW", "0"});
    ASSERT_TRUE(hamlib.waitForFinished(10000));
    const QStringList setMode = radio.frames().filter(QRegularExpression("^FE FE 58 E0 06 "));
    ASSERT_EQ(setMode.size(), 1) << radio.frames().join(" / ").toStdString();

    // Command and mode byte alike; Hamlib adds the filter (01, the normal
    // one), which the radio keeps as it is when none is given.
    const QByteArray ours = programFrames("IC-706 MKIIG", line("14025.5", "CW")).mid(11);
    EXPECT_EQ(ours.toHex(' ').toUpper(), "FE FE 58 00 06 03 FD");
    EXPECT_EQ(setMode[0].mid(12, 5), QString::fromLatin1(ours.toHex(' ').toUpper()).mid(12, 5));
}
