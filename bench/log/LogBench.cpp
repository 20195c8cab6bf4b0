// A real-sized log: 100,000 contacts of real calls in an ADI file as WSJT-X
// writes it, read and indexed; one contact appended and seen by the log
// book; a 50-row refresh filtered and marked by what each spot would bring.
#include "DisplayPass.h"
#include "GeneratedLog.h"
#include "LogBook.h"
#include "LogFile.h"
#include "PageScratchFiles.h"
#include "SortedSpotLines.h"
#include "SpotCollection.h"
#include "SpotPageGenerator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

constexpr int Contacts = 100'000;

const QString& logPath() {
    static QTemporaryDir folder;
    static const QString path = [] {
        const QString file = folder.filePath(QStringLiteral("big.adi"));
        if (!writeGeneratedLog(file, Contacts))
            std::exit(1);
        return file;
    }();
    return path;
}

const std::shared_ptr<const CountryTable>& entities() {
    static const auto numbers =
        std::make_shared<const CountryTable>(CountryTable::load(QStringLiteral(PELK_PROGRAM_DIR)));
    return numbers;
}

void ReadAndIndexTheLog(benchmark::State& state) {
    // The memory it costs is measured beside the program without a log, in
    // bench_startup_peers.
    const QString path = logPath();
    entities();
    std::atomic<bool> stop{false};
    int contacts = 0;
    int worked = 0;
    for (auto _ : state) {
        LogFile file(path);
        file.refresh(*entities(), stop);
        WorkedIndex index;
        for (const LoggedContact& contact : file.contacts())
            index.add(contact);
        contacts = index.contacts();
        worked = index.entities();
    }
    state.counters["contacts"] = contacts;
    state.counters["entities"] = worked;
    state.counters["file_MB"] = double(QFile(path).size()) / (1 << 20);
}
BENCHMARK(ReadAndIndexTheLog)->Unit(benchmark::kMillisecond)->Iterations(3);

// A 50-row page's lines, as the list shows them.
QStringList shownLines(const LogSnapshot* log) {
    static QTemporaryDir folder;
    static const QString page =
        PageScratchFiles(folder.path(), QString())
            .keep(
                QString::fromLatin1(SpotPageGenerator::page(5, QDateTime::currentDateTimeUtc(), 50))
                    .toUpper())
            .value_or(QString());
    FilterChoices choices;
    if (log) {
        choices.neededOnly = true;
        choices.isNeeded = [log](const Spot& spot) { return isNeeded(log->statusOfSpot(spot)); };
    }
    SortedSpotLines sorted;
    collectSpots(page, 1, choices, sorted, [] {});
    return displayPass(sorted, 1);
}

// Every line's status, as the list is coloured.
int markLines(const LogSnapshot& log, const QStringList& lines) {
    int needed = 0;
    for (const QString& line : lines)
        needed += isNeeded(log.statusOfSpot(spotOfLine(line)));
    return needed;
}

// The log book, once it has read the big log.
LogBook& readBook() {
    static LogBook* book = [] {
        auto* b = new LogBook(entities());
        QEventLoop loop;
        QObject::connect(b, &LogBook::changed, &loop, &QEventLoop::quit);
        b->setLog({logPath()}, {QStringLiteral("qsl"), QStringLiteral("lotw")});
        loop.exec();
        return b;
    }();
    return *book;
}

void AppendOneContactSeenAndMarked(benchmark::State& state) {
    LogBook& book = readBook();
    int n = Contacts;
    for (auto _ : state) {
        QEventLoop loop;
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&book, &LogBook::changed, &loop, &QEventLoop::quit);
        QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        QElapsedTimer clock;
        clock.start();
        QFile log(logPath());
        log.open(QIODevice::Append);
        log.write(generatedLogRecord(n++));
        log.close();
        limit.start(2000);
        loop.exec();
        benchmark::DoNotOptimize(markLines(*book.snapshot(), shownLines(nullptr)));
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
    state.counters["contacts"] = book.snapshot()->index.contacts();
}
BENCHMARK(AppendOneContactSeenAndMarked)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

void RefreshOfFiftyRowsWithStatuses(benchmark::State& state) {
    const std::shared_ptr<const LogSnapshot> log = readBook().snapshot();
    for (auto _ : state) {
        const QStringList lines = shownLines(log.get());
        benchmark::DoNotOptimize(markLines(*log, lines));
    }
}
BENCHMARK(RefreshOfFiftyRowsWithStatuses)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
