#include "AlsaSoundPlayer.h"
#include "CatSequences.h"
#include "Configuration.h"
#include "CurlHttpClient.h"
#include "Durerur.h"
#include "LocalHelper.h"
#include "NetworkTuning.h"
#include "PseudoTerminal.h"
#include "QtMessageBox.h"
#include "QtSerialLink.h"
#include "SettingsStore.h"
#include "Spot.h"
#include "SystemClock.h"
#include "TuningDispatch.h"

#include <QComboBox>
#include <QListWidget>
#include <QProcess>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>
#include <optional>

namespace {

const QString SpotListLine =
    QStringLiteral(" 06-Dec 1405Z  F5ABC         14025.5 DL1XYZ      CW 599");

// One whole sequence per iteration, for the model given; the counter gives
// how far the sequence ran over the sum of its waits.
void runSequence(benchmark::State& state, const char* model, double statedSeconds) {
    PseudoTerminal pty;
    Configuration config;
    config.setPortDevice(1, pty.device());
    QtSerialLink port([&config](int n) { return config.portDevice(n); });
    port.setPortNumber(1);
    port.setSettings(QStringLiteral("9600,n,8,1"));
    if (!pty.ok() || !port.open()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    SystemClock clock;
    CatSequences sequences(port, clock);
    QtMessageBox messages;
    NetworkTuning unused(nullptr, QString(), QString(), messages);
    const Spot spot = spotOfLine(SpotListLine);
    double total = 0;
    for (auto _ : state) {
        const double start = clock.monotonicSeconds();
        dispatchTuning(QStringLiteral("1"), QLatin1String(model), {spot.frequency, spot.remark},
                       ModeRule::Sideband, {sequences, unused, unused});
        total += clock.monotonicSeconds() - start;
        state.PauseTiming();
        benchmark::DoNotOptimize(pty.readAvailable(0));
        state.ResumeTiming();
    }
    state.counters["over_waits_%"] = (total / state.iterations() / statedSeconds - 1) * 100;
}

void BM_YaesuSequence(benchmark::State& state) {
    runSequence(state, "FT-847", 3 * CatSequences::YaesuWait);
}
BENCHMARK(BM_YaesuSequence)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_Yaesu1Sequence(benchmark::State& state) {
    runSequence(state, "FT-1000", 2 * CatSequences::Yaesu1Wait);
}
BENCHMARK(BM_Yaesu1Sequence)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

// The real port, noting when the first block has left it: by then its bytes
// are readable on the other side of the pseudo-terminal.
class FirstBlockLink : public QtSerialLink {
public:
    using QtSerialLink::QtSerialLink;

    bool drain(int maxMs) override {
        const bool drained = QtSerialLink::drain(maxMs);
        if (!firstBlockOut)
            firstBlockOut = clock.monotonicSeconds();
        return drained;
    }

    SystemClock clock;
    std::optional<double> firstBlockOut;
};

// The main window over real parts, the station's position entered so that a
// click fills the details panel.
struct MainWindow {
    MainWindow(Configuration& config, SerialLink& serial, Clock& clock)
        : window(shared, stored(settings), config,
                 ProgramDirectory(QStringLiteral(PELK_PROGRAM_DIR)),
                 Platform{http, serial, sound, messages, clock}) {}
    static SettingsStore& stored(SettingsStore& settings) {
        settings.save(QStringLiteral("Latitude"), QStringLiteral("48.52N"));
        settings.save(QStringLiteral("Longitude"), QStringLiteral("2.31E"));
        return settings;
    }

    CurlHttpClient http;
    AlsaSoundPlayer sound{QStringLiteral("null")};
    QtMessageBox messages;
    SettingsStore settings;
    SharedState shared;
    Durerur window;
};

// From a click on a spot line in the main window to the first block on the
// wire, for an FT-847 (whose first block goes out without a wait). The click
// fills the details panel from the prefix file first.
void BM_ClickToFirstBlock(benchmark::State& state) {
    QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
    PseudoTerminal pty;
    Configuration config;
    config.setPortDevice(1, pty.device());
    FirstBlockLink port([&config](int n) { return config.portDevice(n); });
    MainWindow main(config, port, port.clock);
    Durerur& window = main.window;
    window.Mnu_Com_Click(1);
    window.Emetteur->setCurrentText(QStringLiteral("FT-847"));
    if (!pty.ok() || !port.isOpen()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    window.Liste_Stations->addItem(SpotListLine);
    window.Liste_Stations->addItem(SpotListLine);
    int row = 0;
    for (auto _ : state) {
        port.firstBlockOut.reset();
        const double start = port.clock.monotonicSeconds();
        window.Liste_Stations->setCurrentRow(row);
        if (!port.firstBlockOut) {
            state.SkipWithError("the click sent nothing");
            break;
        }
        state.SetIterationTime(*port.firstBlockOut - start);
        row = 1 - row;
        benchmark::DoNotOptimize(pty.readAvailable(0));
    }
}
BENCHMARK(BM_ClickToFirstBlock)->Iterations(3)->UseManualTime()->Unit(benchmark::kMicrosecond);

// A peer of the station asking rigctld its frequency, as WSJT-X would.
std::optional<long long> peerReadsFrequency(quint16 port) {
    QTcpSocket peer;
    peer.connectToHost(QHostAddress::LocalHost, port);
    if (!peer.waitForConnected(1000))
        return std::nullopt;
    peer.write("f\n");
    if (!peer.waitForReadyRead(1000))
        return std::nullopt;
    return peer.readLine().trimmed().toLongLong();
}

// From a click on a spot line, "Hamlib (rigctld)" chosen, to the frequency
// held by Hamlib's rigctld (dummy radio) as another client reads it.
void BM_ClickToRigctldFrequency(benchmark::State& state) {
    QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    QProcess daemon;
    daemon.start(QStringLiteral("rigctld"),
                 {"-m", "1", "-T", "127.0.0.1", "-t", QString::number(port)});
    for (int i = 0; i < 100 && !LocalHelper::answers(port); ++i)
        QThread::msleep(20);
    if (!LocalHelper::answers(port)) {
        state.SkipWithError("no rigctld (libhamlib-utils)");
        return;
    }
    Configuration config;
    config.setRigctld(QStringLiteral("127.0.0.1:%1").arg(port));
    QtSerialLink serial([&config](int n) { return config.portDevice(n); });
    SystemClock clock;
    MainWindow main(config, serial, clock);
    Durerur& window = main.window;
    window.Emetteur->setCurrentText(QStringLiteral("Hamlib (rigctld)"));
    const QStringList spots{
        SpotListLine,
        QString(SpotListLine).replace(QStringLiteral("14025.5"), QStringLiteral("14026.5"))};
    window.Liste_Stations->addItems(spots);
    window.Liste_Stations->setCurrentRow(1); // the link is opened once, here
    int row = 0;
    for (auto _ : state) {
        const long long wanted = row == 0 ? 14025500 : 14026500;
        const double start = clock.monotonicSeconds();
        window.Liste_Stations->setCurrentRow(row);
        if (peerReadsFrequency(port) != wanted) {
            state.SkipWithError("rigctld did not take the frequency");
            break;
        }
        state.SetIterationTime(clock.monotonicSeconds() - start);
        row = 1 - row;
    }
    daemon.terminate();
    daemon.waitForFinished(2000);
}
BENCHMARK(BM_ClickToRigctldFrequency)
    ->Iterations(20)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
