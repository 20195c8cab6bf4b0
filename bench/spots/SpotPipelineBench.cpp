// One band's page from its stored text to the lines of the visible list:
// decoding, filters, sorted list and display pass, on a page of the usual 50
// rows and on a generated page of 5,000.
#include "AlsaSoundPlayer.h"
#include "DisplayPass.h"
#include "PageScratchFiles.h"
#include "SortedSpotLines.h"
#include "SpotCollection.h"
#include "SpotPageBuilder.h"
#include "SpotPageGenerator.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QDateTime Now(QDate(2026, 12, 6), QTime(14, 5, 7), Qt::UTC);
constexpr std::int16_t Band14 = 5;

QString upperPage(int rows) {
    return QString::fromLatin1(SpotPageGenerator::page(Band14, Now, rows)).toUpper();
}

QString storedPage(int rows) {
    QTemporaryDir folder;
    PageScratchFiles scratch(folder.path(), QString());
    return scratch.keep(upperPage(rows)).value_or(QString());
}

void showPage(const QString& page, std::int16_t Mode_Tri, const FilterChoices& choices) {
    SortedSpotLines sorted;
    collectSpots(page, Mode_Tri, choices, sorted, [] {});
    const QStringList lines = displayPass(sorted, Mode_Tri);
    benchmark::DoNotOptimize(lines.size());
}

// No filter: every row goes through the sorted list once.
void DecodeFilterSortShow(benchmark::State& state) {
    const QString page = storedPage(static_cast<int>(state.range(0)));
    for (auto _ : state)
        showPage(page, 1, FilterChoices{});
    state.SetComplexityN(state.range(0));
}
BENCHMARK(DecodeFilterSortShow)
    ->Arg(50)
    ->Arg(500)
    ->Arg(5000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oNLogN);

// Every filter and alert box checked, sorted by frequency.
void DecodeAllFiltersSortByQrgShow(benchmark::State& state) {
    const QString page = storedPage(static_cast<int>(state.range(0)));
    FilterChoices choices;
    choices.Check1 = true;
    choices.Check2 = true;
    choices.Check4 = true;
    choices.Indicatif = QStringLiteral("DL");
    choices.Remarque = QStringLiteral("CQ");
    for (auto _ : state)
        showPage(page, 3, choices);
}
BENCHMARK(DecodeAllFiltersSortByQrgShow)->Arg(50)->Arg(5000)->Unit(benchmark::kMicrosecond);

// The same with the scratch files written and read back, as a refresh does.
void StoreDecodeFilterSortShow(benchmark::State& state) {
    const QString page = upperPage(static_cast<int>(state.range(0)));
    QTemporaryDir folder;
    PageScratchFiles scratch(folder.path(), QString());
    for (auto _ : state)
        showPage(scratch.keep(page).value_or(QString()), 1, FilterChoices{});
}
BENCHMARK(StoreDecodeFilterSortShow)->Arg(50)->Arg(5000)->Unit(benchmark::kMicrosecond);

// "Avec alerte" with a callsign and a remark that each of the 50 rows meets,
// the alert sound played for real (ALSA's file device, at the speed of the
// sound).
void AlertOnEveryRow(benchmark::State& state) {
    QByteArray rows;
    for (int i = 0; i < 50; ++i)
        rows += spotRowHtml(testSpot(QStringLiteral("K%1AB").arg(i), "14025.0", "CQ DX"));
    QTemporaryDir folder;
    PageScratchFiles scratch(folder.path(), QString());
    const QString page = scratch.keep(QString::fromLatin1(spotPageHtml(rows)).toUpper()).value();
    AlsaSoundPlayer sound(QStringLiteral("file:'%1',raw").arg(folder.filePath("played.raw")));
    const QString alert = QStringLiteral(PELK_PROGRAM_DIR "/ringout.wav");
    FilterChoices choices;
    choices.Check2 = choices.Check3 = choices.Check4 = true;
    choices.Indicatif = QStringLiteral("K");
    choices.Remarque = QStringLiteral("CQ");
    int sounds = 0;
    for (auto _ : state) {
        SortedSpotLines sorted;
        sounds = 0;
        collectSpots(page, 1, choices, sorted, [&] {
            ++sounds;
            sound.play(alert);
        });
        benchmark::DoNotOptimize(displayPass(sorted, 1).size());
    }
    state.counters["sounds"] = sounds;
}
BENCHMARK(AlertOnEveryRow)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
