// Cherche_Prefixe on the prefix file the build generates: it reads the file
// afresh on every call.

#include "PrefixFileLayout.h"
#include "PrefixLookup.h"

#include <QDir>
#include <benchmark/benchmark.h>

namespace {

void lookUp(benchmark::State& state, const QString& callsign) {
    const QString file =
        QDir(QStringLiteral(PELK_PROGRAM_DIR)).filePath(PrefixFileLayout::FileName);
    for (auto _ : state) {
        DxInformation result;
        Cherche_Prefixe(file, callsign, QStringLiteral("48.52"), QStringLiteral("2.31"), result);
        benchmark::DoNotOptimize(result);
    }
}

// No line matches: the whole file is read and compared.
void BM_Cherche_Prefixe_NoMatch(benchmark::State& state) {
    lookUp(state, QStringLiteral("QQ1QQQ      "));
}

void BM_Cherche_Prefixe_Germany(benchmark::State& state) {
    lookUp(state, QStringLiteral("DL1ABC      "));
}

} // namespace

BENCHMARK(BM_Cherche_Prefixe_NoMatch)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Cherche_Prefixe_Germany)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
