// The lookup window's first opening in a freshly started program: from the
// button press to the page loaded, with the resident memory then.
#include "ProbeRunner.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

struct Opening {
    long long ms = -1;
    long selfKb = 0;
    long helpersKb = 0;
};

// The probe's line: "opened <ms> <own kB> <helpers' kB>".
Opening runOpening(const QString& probe, const QString& settingsFolder) {
    Opening opening;
    const std::optional<QByteArray> line = runProbe(probe, settingsFolder);
    if (!line || std::sscanf(line->constData(), "opened %lld %ld %ld", &opening.ms, &opening.selfKb,
                             &opening.helpersKb) != 3)
        opening.ms = -1;
    return opening;
}

void BM_LookupWindowFirstOpening(benchmark::State& state) {
    const QString probe = QStringLiteral(PELK_PROGRAM_DIR "/lookup_probe");
    Opening opening;
    for (auto _ : state) {
        QTemporaryDir settingsFolder;
        opening = runOpening(probe, settingsFolder.path());
        if (opening.ms < 0) {
            state.SkipWithError("the probe did not load the lookup page");
            return;
        }
        state.SetIterationTime(static_cast<double>(opening.ms) / 1000.0);
    }
    state.counters["program_rss_MB"] = static_cast<double>(opening.selfKb) / 1024.0;
    state.counters["browser_helpers_pss_MB"] = static_cast<double>(opening.helpersKb) / 1024.0;
}
BENCHMARK(BM_LookupWindowFirstOpening)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

} // namespace

BENCHMARK_MAIN();
