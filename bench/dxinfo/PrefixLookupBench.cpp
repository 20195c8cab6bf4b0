// The details panel's lookup in the country table of the data the build
// generates, and the building of that table, done once for each copy taken
// into use.

#include "DxInformation.h"

#include <benchmark/benchmark.h>

namespace {

void lookUp(benchmark::State& state, const QString& callsign) {
    static const CountryTable table = CountryTable::load(QStringLiteral(PELK_PROGRAM_DIR));
    for (auto _ : state) {
        const DxInformation result =
            Cherche_Prefixe(table, callsign, QStringLiteral("48.52"), QStringLiteral("2.31"));
        benchmark::DoNotOptimize(result);
    }
}

// No line matches: every length of the callsign is asked.
void BM_Cherche_Prefixe_NoMatch(benchmark::State& state) {
    lookUp(state, QStringLiteral("QQ1QQQ      "));
}

void BM_Cherche_Prefixe_Germany(benchmark::State& state) {
    lookUp(state, QStringLiteral("DL1ABC      "));
}

void BM_CountryTable_Load(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(CountryTable::load(QStringLiteral(PELK_PROGRAM_DIR)));
}

} // namespace

BENCHMARK(BM_Cherche_Prefixe_NoMatch)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Cherche_Prefixe_Germany)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CountryTable_Load)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
