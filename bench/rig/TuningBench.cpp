#include "CatSequences.h"
#include "Configuration.h"
#include "PseudoTerminal.h"
#include "QtSerialLink.h"
#include "SystemClock.h"
#include "TuningDispatch.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

const QString Spot = QStringLiteral(" 06-Dec 1405Z  F5ABC         14025.5 DL1XYZ      CW 599");

// One whole sequence per iteration, for the model given; the counter gives
// how far the sequence ran over the sum of its waits.
void runSequence(benchmark::State& state, const char* model, double statedSeconds) {
    PseudoTerminal pty;
    Configuration config;
    config.setPortDevice(1, pty.device());
    QtSerialLink port(config);
    port.setPortNumber(1);
    port.setSettings(QStringLiteral("9600,n,8,1"));
    if (!pty.ok() || !port.open()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    SystemClock clock;
    CatSequences sequences(port, clock);
    double total = 0;
    for (auto _ : state) {
        const double start = clock.monotonicSeconds();
        dispatchTuning(QStringLiteral("1"), QLatin1String(model), Spot, sequences);
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

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
