// The spot server as a cluster gateway, measured from outside as the program
// sees it: a spot line written by a node on 127.0.0.1 until the band page
// served by the spot_server process lists it, until the main window's list
// shows it, and the server's resident memory over 100,000 spots.
#include "CurlHttpClient.h"
#include "ScriptedClusterNode.h"
#include "UserProgram.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <optional>
#include <vector>

namespace {

const QString Page14 = QStringLiteral("/dxc/top_50_14_MHz.html");

QByteArray spotLine(long n) {
    return "DX de W3LPL:     14025.0  K" + QByteArray::number(n) +
           "AB       CW 599                         1200Z FN20\r\n";
}

// A station reported again by another spotter, 0.4 kHz away: the duplicate
// rule replaces the first row.
QByteArray againLine(long n) {
    return "DX de K1TTT:     14025.4  K" + QByteArray::number(n) +
           "AB       CW                             1200Z FN42\r\n";
}

// Three nodes that the spot server logs into at once (a cluster, another,
// the Reverse Beacon Network), and the server's pages.
class Gateway {
public:
    static constexpr int Nodes = 3;

    Gateway() {
        QByteArray cluster;
        for (int i = 0; i < Nodes; ++i)
            cluster += (i > 0 ? "," : "") + loopbackAddress(listeners_[i].port()).toLatin1();

        QFile config(folder_.filePath(QStringLiteral("cluster.conf")));
        if (!config.open(QIODevice::WriteOnly))
            return;
        config.write("cluster = " + cluster + "\ncallsign = F4BEN\n");
        config.close();
        server_.start(QStringLiteral(SPOT_SERVER_PATH),
                      {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--config"),
                       config.fileName()});
        if (!server_.waitForStarted(5000) || !server_.waitForReadyRead(5000))
            return;
        site_ = QString::fromLatin1(server_.readLine().trimmed()).section(u' ', -1);

        for (int i = 0; i < Nodes; ++i) {
            nodes_.push_back(listeners_[i].accept());
            nodes_[i].send("Please enter your call: ");
            if (!nodes_[i].readUntil("\r\n").contains("F4BEN"))
                return;
        }
        ready_ = true;
    }
    ~Gateway() {
        server_.kill();
        server_.waitForFinished(5000);
    }

    bool ready() const { return ready_; }
    const QString& site() const { return site_; }
    // Through the nodes in turn.
    bool send(const QByteArray& lines) { return nodes_[next_++ % Nodes].send(lines); }
    // Asks for the 14 MHz page until it lists the callsign.
    bool waitForPageWith(const QString& dx) {
        for (int attempt = 0; attempt < 100000; ++attempt) {
            if (http_.get(site_ + Page14).contains(dx))
                return true;
        }
        return false;
    }
    long residentKb() const {
        QFile status(QStringLiteral("/proc/%1/status").arg(server_.processId()));
        const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
        return text.mid(text.indexOf("VmRSS:") + 6).trimmed().split(' ').constFirst().toLong();
    }

private:
    QTemporaryDir folder_;
    QProcess server_;
    QString site_;
    CurlHttpClient http_;
    const LoopbackSocket listeners_[Nodes] = {
        LoopbackSocket::listening(), LoopbackSocket::listening(), LoopbackSocket::listening()};
    std::vector<LoopbackSocket> nodes_;
    int next_ = 0;
    bool ready_ = false;
};

Gateway& gateway() {
    static Gateway instance;
    return instance;
}

long serial = 0;

// One line in, until the page served lists it.
void ClusterLineToPage(benchmark::State& state) {
    Gateway& node = gateway();
    if (!node.ready()) {
        state.SkipWithError("the spot server did not log in");
        return;
    }
    for (auto _ : state) {
        const long n = ++serial;
        if (!node.send(spotLine(n)) || !node.waitForPageWith(QStringLiteral("K%1AB").arg(n))) {
            state.SkipWithError("the spot never reached the page");
            return;
        }
    }
}
BENCHMARK(ClusterLineToPage)->Unit(benchmark::kMillisecond);

// One line in, until the main window's list shows it, with no click: the
// program as a user runs it, its settings naming the node, its own spot
// server started by it, the band chosen and "Afficher" clicked once. Spots a
// second apart, as a node sends them outside a contest; median and longest
// over the iterations.
void ClusterLineToWindowList(benchmark::State& state) {
    ScriptedClusterNode node;
    node.setGreeting("login: ");
    UserProgram program(node.address().toLatin1());
    if (!node.waitForReceived("F4TEST\r\n", 10000)) {
        state.SkipWithError("the program's spot server did not log in");
        return;
    }
    program.show(5); // 14 MHz
    std::vector<double> milliseconds;
    for (auto _ : state) {
        state.PauseTiming();
        QTest::qWait(1000);
        const QString dx = QStringLiteral("K%1AB").arg(++serial);
        state.ResumeTiming();
        QElapsedTimer shown;
        shown.start();
        if (!node.send(spotLine(serial)) ||
            !QTest::qWaitFor([&] { return program.listed(dx); }, 5000)) {
            state.SkipWithError("the spot never reached the list");
            return;
        }
        milliseconds.push_back(static_cast<double>(shown.nsecsElapsed()) / 1e6);
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    state.counters["median_ms"] = milliseconds[milliseconds.size() / 2];
    state.counters["longest_ms"] = milliseconds.back();
}
BENCHMARK(ClusterLineToWindowList)->Iterations(30)->Unit(benchmark::kMillisecond);

// 100,000 spots after a first 10,000: the resident memory of the server.
void HundredThousandSpotsMemory(benchmark::State& state) {
    Gateway& node = gateway();
    if (!node.ready()) {
        state.SkipWithError("the spot server did not log in");
        return;
    }
    const auto feed = [&node](long count) {
        QByteArray lines;
        for (long i = 0; i < count; ++i) {
            lines += spotLine(++serial);
            if (serial % 3 == 0)
                lines += againLine(serial);
        }
        return node.send(lines) && node.waitForPageWith(QStringLiteral("K%1AB").arg(serial));
    };
    for (auto _ : state) {
        if (!feed(10000)) {
            state.SkipWithError("the spots never reached the page");
            return;
        }
        const long before = node.residentKb();
        if (!feed(100000)) {
            state.SkipWithError("the spots never reached the page");
            return;
        }
        const long after = node.residentKb();
        state.counters["rss_kb"] = static_cast<double>(after);
        state.counters["growth_kb"] = static_cast<double>(after - before);
    }
}
BENCHMARK(HundredThousandSpotsMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
