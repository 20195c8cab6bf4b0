// WSJT-X's decodes: a busy FT8 period (50 decodes) from the datagrams to the
// lines listed and coloured against a 100,000-contact log; 10,000 hostile
// datagrams; a day of a busy band kept in memory.
#include "GeneratedLog.h"
#include "LogBook.h"
#include "WsjtxDatagrams.h"
#include "WsjtxDecodes.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>
#include <QtEndian>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

constexpr int Contacts = 100'000;
constexpr int PeriodDecodes = 50;

// Station n of a band, calling CQ at its own audio offset.
QByteArray decodeDatagram(int n, int period) {
    static const char* const prefixes[] = {"K", "JA", "DL", "VK", "PY", "ZS", "UA", "3Y0"};
    const QByteArray call = QByteArray(prefixes[n % 8]) + QByteArray::number(n % 10) + 'A' +
                            char('A' + n / 8 % 26) + char('A' + period % 26);
    QByteArray deltaTime(8, '\0');
    qToBigEndian(0.1, deltaTime.data());
    return header(2) + '\1' + be32(quint32(period % 5760 * 15000)) + be32(quint32(-10)) +
           deltaTime + be32(quint32(200 + n * 50)) + utf8("~") +
           utf8(("CQ " + call + " JN18").constData()) + QByteArray(2, '\0');
}

// The program's side, listening on a loopback port, with a real log read.
struct Program {
    QTemporaryDir folder;
    LogBook log;
    WsjtxDecodes decodes;
    QUdpSocket wsjtx;
    quint16 port = 0;

    Program()
        : log(std::make_shared<const CountryTable>(
              CountryTable::load(QStringLiteral(PELK_PROGRAM_DIR)))),
          decodes({log, [this] { return log.snapshot()->countries; }, [] { return false; }, [] {},
                   [](const QString& told) {
                       if (!told.isEmpty())
                           std::fprintf(stderr, "%s\n", qPrintable(told));
                   }}) {
        const QString path = folder.filePath(QStringLiteral("log.adi"));
        if (!writeGeneratedLog(path, Contacts))
            std::exit(1);
        log.setLog({path}, {QStringLiteral("lotw")});
        if (!QTest::qWaitFor([this] { return log.snapshot()->hasLog; }, 60000))
            std::exit(1);
        QUdpSocket probe;
        probe.bind(QHostAddress::LocalHost, 0);
        port = probe.localPort();
        probe.close();
        decodes.listen(QStringLiteral("127.0.0.1:%1").arg(port));
        wsjtx.bind(QHostAddress::LocalHost, 0);
        send(statusDatagram("WSJT-X", 14074000));
    }

    void send(const QByteArray& datagram) {
        wsjtx.writeDatagram(datagram, QHostAddress::LocalHost, port);
    }
};

Program& program() {
    static Program p;
    return p;
}

void BurstOfOnePeriodToColouredLines(benchmark::State& state) {
    Program& p = program();
    int period = 0;
    for (auto _ : state) {
        ++period;
        QElapsedTimer timer;
        timer.start();
        for (int n = 0; n < PeriodDecodes; ++n)
            p.send(decodeDatagram(n, period));
        const QString heard = QTime::fromMSecsSinceStartOfDay(period % 5760 * 15000)
                                  .toString(QStringLiteral("HHmmss"));
        const bool shown = QTest::qWaitFor(
            [&] {
                const QListWidget* list =
                    p.decodes.window() ? p.decodes.window()->Liste_Decodages : nullptr;
                return list && list->count() >= PeriodDecodes &&
                       list->item(PeriodDecodes - 1)->text().startsWith(heard);
            },
            5000);
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        if (!shown)
            state.SkipWithError("the burst was not listed");
    }
    state.counters["listed"] = p.decodes.window()->Liste_Decodages->count();
}
BENCHMARK(BurstOfOnePeriodToColouredLines)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

void TenThousandHostileDatagrams(benchmark::State& state) {
    Program& p = program();
    const QByteArray noise(1200, '\xAD');
    const QByteArray cut = decodeDatagram(1, 1).left(40);
    for (auto _ : state) {
        const qint64 before = p.decodes.listener().dropped();
        for (int n = 0; n < 10'000; ++n) {
            p.send(n % 2 ? noise : cut);
            // What the socket buffer holds is read before it overflows.
            if (n % 100 == 99)
                QCoreApplication::processEvents();
        }
        QTest::qWait(50);
        state.counters["dropped"] = double(p.decodes.listener().dropped() - before);
    }
}
BENCHMARK(TenThousandHostileDatagrams)
    ->MeasureProcessCPUTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// 24 hours of 15-second periods of 50 stations each, on a simulated clock:
// what is kept stays two minutes' worth.
void ADayOfABusyBand(benchmark::State& state) {
    for (auto _ : state) {
        DecodedStations stations;
        long startKb = 0;
        for (int period = 0; period < 24 * 240; ++period) {
            const qint64 now = qint64(period) * 15000;
            for (int n = 0; n < PeriodDecodes; ++n) {
                const QByteArray bytes = decodeDatagram(n, period);
                const auto decode = std::get<Wsjtx::Decode>(*Wsjtx::readDatagram(bytes).message);
                Spot spot;
                spot.call = decode.message.section(u' ', 1, 1);
                stations.add(decode, spot, QStringLiteral("FT8"), now);
            }
            stations.expire(now);
            if (period == 240)
                startKb = residentKb();
        }
        state.counters["kept"] = double(stations.stations().size());
        state.counters["growth_kB_after_1h"] = double(residentKb() - startKb);
    }
}
BENCHMARK(ADayOfABusyBand)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
