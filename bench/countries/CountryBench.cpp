// The country data: this month's cty.csv read and made into the program's
// files, then written beside it as an update does (the download aside); and
// what every start-up costs when Debian's copy is no newer than the one in
// use.
#include "CountryDataFiles.h"
#include "CountryUpdate.h"

#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <benchmark/benchmark.h>

namespace {

QString ctyCsv() {
    QFile file(QStringLiteral(PELK_CTY_CSV));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void MakeTheFilesFromCtyCsv(benchmark::State& state) {
    const QString csv = ctyCsv();
    int prefixes = 0;
    for (auto _ : state) {
        QStringList problems;
        const CountryDataFiles files = CountryDataFiles::made(readCtyCsv(csv, problems), {});
        prefixes = files.prefixCount();
    }
    state.counters["prefixes"] = prefixes;
}

void WriteTheUsersCopy(benchmark::State& state) {
    QStringList problems;
    const CountryDataFiles files = CountryDataFiles::made(readCtyCsv(ctyCsv(), problems), {});
    QTemporaryDir folder;
    for (auto _ : state)
        benchmark::DoNotOptimize(files.write(folder.path()));
}

void StartUpCheckOfDebiansCopy(benchmark::State& state) {
    QTemporaryDir user;
    const CountryFolders folders{QStringLiteral(PELK_PROGRAM_DIR), user.path(),
                                 QStringLiteral(PELK_CTY_FOLDER)};
    const std::atomic<bool> cancelled{false};
    for (auto _ : state)
        benchmark::DoNotOptimize(updateFromDebian(folders, cancelled));
}

} // namespace

BENCHMARK(MakeTheFilesFromCtyCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteTheUsersCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(StartUpCheckOfDebiansCopy)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
