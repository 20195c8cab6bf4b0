// Wall time from process start to the main window shown, with an empty
// settings store, and the peak resident memory at that moment.
#include "ProbeRunner.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

void BM_StartupToWindowShown(benchmark::State& state) {
    const QString probe = QStringLiteral(PELK_PROGRAM_DIR "/startup_probe");
    long rss = 0;
    for (auto _ : state) {
        QTemporaryDir settingsFolder; // an empty store on every start
        const auto start = std::chrono::steady_clock::now();
        const std::optional<QByteArray> line = runProbe(probe, settingsFolder.path());
        const auto end = std::chrono::steady_clock::now();
        if (!line || !line->startsWith("shown ")) {
            state.SkipWithError("the probe did not show its window");
            return;
        }
        rss = line->mid(6).toLong();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    state.counters["peak_rss_MB"] = static_cast<double>(rss) / 1024.0;
}
BENCHMARK(BM_StartupToWindowShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

BENCHMARK_MAIN();
