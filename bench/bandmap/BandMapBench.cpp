// The band map in a contest on the Reverse Beacon Network, 600 skimmer spots
// a minute: the spot server's memory for an hour of them and its answer to a
// question for 2000 of them; through the program as a user runs it (its own
// spot server logged in to a node), one redraw of the map with 500 entries on
// its band, and a click on an entry answered while the spots keep coming.
#include "Program.h"
#include "RecentSpots.h"
#include "RelayProtocol.h"
#include "ScriptedClusterNode.h"
#include "SpotServerProcess.h"

#include "CurlHttpClient.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

constexpr int SpotsPerMinute = 600;
constexpr int HourOfSpots = 60 * SpotsPerMinute;
// Calls heard on 20 m: with the map's 30 minutes, the entries on its band.
constexpr int StationsOn20m = 500;
// The spots of the map's 30 minutes, but for the minute that may pass
// meanwhile.
constexpr std::size_t HeldOnMap = 29 * SpotsPerMinute;

// Station n of a band: a call of its own on each band.
QByteArray callOf(int band, int n) {
    static const char* const prefixes[] = {"K", "DL", "JA", "G", "F", "I", "UA", "VE", "PY", "VK"};
    return QByteArray(prefixes[n % 10]) + char('0' + n / 10 % 10) + char('A' + n / 100 % 26) +
           char('A' + band) + 'X';
}

// Spot n of a contest hour (n from 0, the oldest, an hour ago): a third on
// 20 m among 500 stations, each heard again and again by the skimmers within
// a few hundred hertz; the rest on 40 m and 80 m.
QByteArray contestSpot(int n, int minutesAgo) {
    static const char* const skimmers[] = {"KM3T-2-#", "W3OA-#",  "DK8JP-#",
                                           "VE6JY-#",  "OH6BG-#", "JA1SCW-#"};
    int tenths = 0;
    QByteArray call;
    const int station = n / 3;
    switch (n % 3) {
    case 0:
        call = callOf(0, station % StationsOn20m);
        tenths = 140000 + station % StationsOn20m * 2 + n % 2;
        break;
    case 1:
        call = callOf(1, station % 300);
        tenths = 70000 + station % 300 + n % 2;
        break;
    default:
        call = callOf(2, station % 300);
        tenths = 35000 + station % 300 * 2;
        break;
    }
    const QByteArray frequency = QByteArray::number(tenths / 10) + '.' + char('0' + tenths % 10);
    const QByteArray remark = "CW " + QByteArray::number(5 + n % 30) + " dB " +
                              QByteArray::number(20 + n % 15) + " WPM CQ";
    return nodeSpot(skimmers[n / 7 % 6], frequency.constData(), call, remark.constData(),
                    minutesAgo);
}

// The hour, oldest first, as one block of lines.
QByteArray contestHour() {
    QByteArray lines;
    for (int n = 0; n < HourOfSpots; ++n)
        lines += contestSpot(n, 59 - n / SpotsPerMinute);
    return lines;
}

// Asks the server for its spots until it has given `count`; false when it
// stops answering.
bool followSpots(CurlHttpClient& http, const QString& site, quint64 count) {
    quint64 since = 0;
    while (since < count) {
        const std::optional<RelayProtocol::Spots> spots = RelayProtocol::decodeSpots(
            http.get(site + RelayProtocol::SpotsPath + "?since=" + QString::number(since),
                     std::chrono::seconds(10))
                .toUtf8());
        if (!spots || spots->sequence <= since)
            return false;
        since = spots->sequence;
    }
    return true;
}

// The spot server's resident memory for an hour of spots, 600 a minute, from
// its login to the node until a client has followed them all through /spots.
void RelayHourOfContestMemory(benchmark::State& state) {
    const QByteArray hour = contestHour();
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir folder;
        ScriptedClusterNode node;
        node.setGreeting("login: ");
        SpotServerProcess server(nodeConfiguration(folder.path(), node.address(), "F4TEST"));
        if (!node.waitForReceived("F4TEST\r\n")) {
            state.SkipWithError("the spot server did not log in");
            return;
        }
        QTest::qWait(200);
        const long before = server.residentKb();
        state.ResumeTiming();
        CurlHttpClient http;
        if (!node.send(hour) || !followSpots(http, server.site(), HourOfSpots)) {
            state.SkipWithError("the spots never came back from /spots");
            return;
        }
        state.PauseTiming();
        state.counters["growth_MB"] = double(server.residentKb() - before) / 1024;
        state.counters["rss_MB"] = double(server.residentKb()) / 1024;
        state.ResumeTiming();
    }
}
BENCHMARK(RelayHourOfContestMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// The server's answer to a client 2000 spots behind, out of an hour's.
void SpotsAnswerOf2000(benchmark::State& state) {
    RecentSpots recent;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (int n = 0; n < HourOfSpots; ++n) {
        const int minutesAgo = 59 - n / SpotsPerMinute;
        const QByteArray line = contestSpot(n, minutesAgo);
        recent.add(*parseClusterLine(line.chopped(2)), now.addSecs(-60 * minutesAgo));
    }
    const quint64 since = recent.sequence() - RelayProtocol::MostSpotsPerAnswer;
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray answer = RelayProtocol::encodeSpots(recent.since(since, now));
        bytes = answer.size();
        benchmark::DoNotOptimize(answer.data());
    }
    state.counters["answer_kB"] = double(bytes) / 1024;
}
BENCHMARK(SpotsAnswerOf2000)->Unit(benchmark::kMillisecond);

// The program as a user runs it: his settings name the node, his callsign and
// his position, the program starts its own spot server, the band map shown;
// the node has sent an hour of a contest.
class ContestProgram {
public:
    ContestProgram() : previousConfigHome_(qgetenv("XDG_CONFIG_HOME")) {
        node_.setGreeting("login: ");
        qputenv("XDG_CONFIG_HOME", home_.path().toLocal8Bit());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home_.path());
        QDir(home_.path()).mkpath(QStringLiteral("pelk-dedirad"));
        QFile config(Configuration::userFile());
        if (!config.open(QIODevice::WriteOnly))
            return;
        config.write("spot_site = http://127.0.0.1:" + QByteArray::number(freePort()) +
                     "\ncluster = " + node_.address().toLatin1() +
                     "\ncallsign = F4TEST\ncountry_update = manual\n");
        config.close();
        program_ =
            std::make_unique<Program>(std::function<void(Configuration&)>{}, QStringLiteral("null"),
                                      QStringLiteral(PELK_PROGRAM_DIR));
        program_->settings.save(SettingsKeys::Latitude, QStringLiteral("48.52N"));
        program_->settings.save(SettingsKeys::Longitude, QStringLiteral("2.31E"));
        window().show();
        if (!node_.waitForReceived("F4TEST\r\n", 10000))
            return;
        window().Mnu_Carte->trigger();
        map().resize(480, 760);
        ready_ = node_.send(contestHour()) &&
                 QTest::qWaitFor(
                     [this] {
                         return window().bandMap().spots().size() >= HeldOnMap &&
                                entries() == StationsOn20m;
                     },
                     60000);
    }
    ~ContestProgram() {
        window().close();
        program_.reset();
        if (previousConfigHome_.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", previousConfigHome_);
    }

    bool ready() const { return ready_; }
    Durerur& window() { return program_->window(); }
    CarteBande& map() { return *window().bandMap().window(); }
    int entries() {
        return window().bandMap().window() ? int(map().Vue_Carte->buttons().size()) : 0;
    }

    // The next spot at the contest's pace: a station on 20 m heard again,
    // another band's now and then.
    bool sendNextSpot() { return node_.send(contestSpot(next_++, 0)); }

private:
    QTemporaryDir home_;
    QByteArray previousConfigHome_;
    ScriptedClusterNode node_;
    std::unique_ptr<Program> program_;
    int next_ = HourOfSpots;
    bool ready_ = false;
};

// Made at first use, gone with the application's windows.
ContestProgram& contest() {
    static std::unique_ptr<ContestProgram> program;
    if (!program) {
        program = std::make_unique<ContestProgram>();
        qAddPostRoutine([] { program.reset(); });
    }
    return *program;
}

// What the program does at each redraw: the entries of the band from the
// spots held, filtered, coloured and described, the buttons updated and
// stacked, then the window painted (offscreen). With "Spotteurs de mon
// continent" checked, those of the European skimmers only.
void RedrawWith500Entries(benchmark::State& state) {
    ContestProgram& program = contest();
    if (!program.ready()) {
        state.SkipWithError("the map never showed the 500 stations of 20 m");
        return;
    }
    CarteBande& map = program.map();
    map.Check_Continent->setChecked(state.range(0) != 0);
    double redisplayMs = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        program.window().bandMap().redisplay();
        redisplayMs += double(timer.nsecsElapsed()) / 1e6;
        map.repaint();
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
    state.counters["entries"] = program.entries();
    state.counters["spots_held"] = double(program.window().bandMap().spots().size());
    state.counters["redisplay_ms"] =
        benchmark::Counter(redisplayMs, benchmark::Counter::kAvgIterations);
    map.Check_Continent->setChecked(false);
}
BENCHMARK(RedrawWith500Entries)
    ->ArgName("spotters_of_my_continent")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(50)
    ->Unit(benchmark::kMillisecond);

// A click on an entry, at a moment of its own, while the node sends 10 spots
// a second and the map redraws for them: from the click given to the window
// until the spot has been tuned as a click on the list tunes it.
void ClickAnsweredDuringContest(benchmark::State& state) {
    ContestProgram& program = contest();
    if (!program.ready()) {
        state.SkipWithError("the map never showed the 500 stations of 20 m");
        return;
    }
    CarteBande& map = program.map();
    QTimer feed;
    feed.setInterval(60000 / SpotsPerMinute);
    QObject::connect(&feed, &QTimer::timeout, [&program] { program.sendNextSpot(); });
    feed.start();
    QElapsedTimer clicked;
    qint64 answeredNs = -1;
    const QMetaObject::Connection answer =
        QObject::connect(map.Vue_Carte, &BandMapView::entryChosen,
                         [&](const Spot&) { answeredNs = clicked.nsecsElapsed(); });
    std::vector<double> milliseconds;
    int click = 0;
    for (auto _ : state) {
        // Between two clicks, a time that falls anywhere in the redraws.
        QTest::qWait(80 + click * 37 % 240);
        QToolButton* entry = map.Vue_Carte->buttons()[std::size_t(click++ * 7 % 40)];
        const QPointF middle = QRectF(entry->rect()).center();
        const QPointF global = entry->mapToGlobal(middle);
        answeredNs = -1;
        clicked.start();
        QCoreApplication::postEvent(entry, new QMouseEvent(QEvent::MouseButtonPress, middle, global,
                                                           Qt::LeftButton, Qt::LeftButton,
                                                           Qt::NoModifier));
        QCoreApplication::postEvent(entry,
                                    new QMouseEvent(QEvent::MouseButtonRelease, middle, global,
                                                    Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
        if (!QTest::qWaitFor([&] { return answeredNs >= 0; }, 5000)) {
            state.SkipWithError("the click was never answered");
            break;
        }
        state.SetIterationTime(double(answeredNs) / 1e9);
        milliseconds.push_back(double(answeredNs) / 1e6);
    }
    QObject::disconnect(answer);
    if (milliseconds.empty())
        return;
    std::sort(milliseconds.begin(), milliseconds.end());
    state.counters["median_ms"] = milliseconds[milliseconds.size() / 2];
    state.counters["longest_ms"] = milliseconds.back();
    state.counters["entries"] = program.entries();
}
BENCHMARK(ClickAnsweredDuringContest)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

} // namespace
