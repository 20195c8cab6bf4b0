// Tuning through Hamlib's own daemon, rigctld with its dummy radio, read back
// by Hamlib's own client, rigctl, as another program sharing the radio would.
#include "DurerurFixture.h"
#include "LocalHelper.h"
#include "TestSupport.h"

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
struct DummyRigctld {
    explicit DummyRigctld(quint16 port) : port(port) { start(); }
    ~DummyRigctld() { stop(); }
    void start() {
        process.start(QStringLiteral("rigctld"),
                      {"-m", "1", "-T", "127.0.0.1", "-t", QString::number(port)});
        QTest::qWaitFor([this] { return LocalHelper::answers(port); }, 5000);
    }
    void stop() {
        process.terminate();
        process.waitForFinished(3000);
    }

    quint16 port;
    QProcess process;
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

// The command line, words between blanks, of the running program that
// listens on the loopback port (a rigctld started with "-t port").
QString programListeningOn(quint16 port) {
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        const QString words = readAll("/proc/" + pid + "/cmdline").replace(QChar(0), u' ');
        if (words.contains(QStringLiteral(" -t %1 ").arg(port)))
            return words;
    }
    return {};
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
        Durerur& w = start(rule, spots);
        EXPECT_EQ(w.NumPort->text(), "0");
        ASSERT_TRUE(click(w, 0)); // starts rigctld
        rigctl(port, {"M", "AM", "0"});
        for (int row = 0; row < spots.size(); ++row) {
            ASSERT_TRUE(click(w, row));
            const QStringList answer = rigctl(port, {"f", "m"});
            ASSERT_GE(answer.size(), 2);
            EXPECT_EQ(answer[0] + ' ' + answer[1], expected[row]);
        }
    }
    const QString launched = programListeningOn(port);
    for (const char* argument : {"-m 1 ", "-r /dev/ttyUSB7 ", "-s 19200 ", "-T 127.0.0.1 "})
        EXPECT_TRUE(launched.contains(QLatin1String(argument))) << launched.toStdString();
    EXPECT_TRUE(closer.texts().isEmpty()) << closer.texts().join(" ").toStdString();
    closeWindow();
    EXPECT_FALSE(LocalHelper::answers(port));
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
