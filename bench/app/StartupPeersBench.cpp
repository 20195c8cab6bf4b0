// This program beside Xdx, the lightest DX-cluster client of Debian, and
// beside qt_floor_probe, an empty Qt window of the same kind: all started in
// turn under one Xvfb, each from a fresh home folder, timed from the start to
// their main window mapped, with their peak resident memory one second later.
// Prints the medians and the ratios to Xdx; Xdx is skipped when it is not
// installed.
#include "GeneratedLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Rounds = 8;
constexpr auto MapLimit = std::chrono::seconds(20);
constexpr auto Settle = std::chrono::seconds(1);

struct Peer {
    const char* name;
    QString program;
    std::vector<double> startMs;
    std::vector<double> peakMb;
    // A log the program is given in its user configuration, if any.
    QString log;
};

pid_t spawn(const std::vector<std::string>& args, const std::vector<std::string>& env,
            posix_spawn_file_actions_t* actions = nullptr) {
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& entry : env)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // A group of its own, so that the helpers it starts end with it.
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attr, 0);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0], actions, &attr, argv.data(), envp.data());
    posix_spawnattr_destroy(&attr);
    return failed == 0 ? pid : -1;
}

void endGroup(pid_t pid) {
    kill(-pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            kill(-pid, SIGKILL); // what the program left behind
            return;
        }
        usleep(10000);
    }
    kill(-pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// An Xvfb of its own, on the display number it picks.
class Xvfb {
public:
    Xvfb() {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        pid_ = spawn({"/usr/bin/Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                      "1366x768x24", "-nolisten", "tcp"},
                     {}, &actions);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        char number[16] = {};
        const ssize_t got = read(fds[0], number, sizeof number - 1);
        close(fds[0]);
        if (got > 0)
            display_ = ":" + std::to_string(std::atoi(number));
    }
    ~Xvfb() {
        if (pid_ > 0)
            endGroup(pid_);
    }
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

// Told of every top-level window mapped on the display.
class MapWatcher {
public:
    explicit MapWatcher(const std::string& display) {
        connection_ = xcb_connect(display.c_str(), nullptr);
        if (xcb_connection_has_error(connection_) != 0)
            return;
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_void_cookie_t cookie = xcb_change_window_attributes_checked(connection_, screen->root,
                                                                        XCB_CW_EVENT_MASK, &mask);
        xcb_generic_error_t* error = xcb_request_check(connection_, cookie);
        ready_ = error == nullptr;
        free(error);
    }
    ~MapWatcher() { xcb_disconnect(connection_); }
    bool ready() const { return ready_; }

    // Forgets the maps of earlier programs.
    void drain() {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
            free(event);
    }

    // Waits until a window that is not a menu or a tooltip is mapped.
    bool waitForMap(Clock::time_point deadline) {
        while (Clock::now() < deadline) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
                const bool mapped =
                    (event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                    reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect == 0;
                free(event);
                if (mapped)
                    return true;
            }
            pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            poll(&fd, 1, static_cast<int>(std::max<long>(1, left.count())));
        }
        return false;
    }

private:
    xcb_connection_t* connection_ = nullptr;
    bool ready_ = false;
};

// VmHWM of /proc/<pid>/status, in kB.
long peakKilobytes(pid_t pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

// One start of the peer; false when its window did not map.
bool measure(Peer& peer, const std::string& display, MapWatcher& watcher) {
    QTemporaryDir home;
    const std::string homePath = home.path().toStdString();
    if (!peer.log.isEmpty()) {
        QDir(home.path()).mkpath(QStringLiteral(".config/pelk-dedirad"));
        QFile config(home.filePath(QStringLiteral(".config/pelk-dedirad/Pelk_Dedirad.conf")));
        if (!config.open(QIODevice::WriteOnly) ||
            config.write("adif_log = " + QFile::encodeName(peer.log) + '\n') < 0)
            return false;
    }
    std::vector<std::string> env = {
        "DISPLAY=" + display,
        "HOME=" + homePath,
        "XDG_CONFIG_HOME=" + homePath + "/.config",
        "XDG_DATA_HOME=" + homePath + "/.local/share",
        "XDG_CACHE_HOME=" + homePath + "/.cache",
        "XDG_RUNTIME_DIR=" + homePath,
        "PATH=/usr/bin:/bin",
        "LANG=C.UTF-8",
        "QT_QPA_PLATFORM=xcb",
        // Neither looks for an accessibility bus that is not there.
        "NO_AT_BRIDGE=1",
    };
    watcher.drain();
    const auto start = Clock::now();
    // What the peers print is not the benchmark's.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const pid_t pid = spawn({peer.program.toStdString()}, env, &quiet);
    posix_spawn_file_actions_destroy(&quiet);
    if (pid < 0)
        return false;
    const bool mapped = watcher.waitForMap(start + MapLimit);
    const auto end = Clock::now();
    if (mapped) {
        std::this_thread::sleep_for(Settle);
    }
    const long peak = peakKilobytes(pid);
    endGroup(pid);
    if (!mapped)
        return false;
    peer.startMs.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    peer.peakMb.push_back(static_cast<double>(peak) / 1024.0);
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

} // namespace

int main() {
    Peer program{"Pelk_Dedirad", QStringLiteral(PELK_PROGRAM_DIR "/Pelk_Dedirad"), {}, {}, {}};
    // The same with a 100,000-contact log, read after the window shows, and
    // with a 100-contact one: what any log costs.
    QTemporaryDir logFolder;
    Peer withLog{"with 100k log", program.program, {}, {}, logFolder.filePath("log.adi")};
    Peer withSmallLog{"with 100 log", program.program, {}, {}, logFolder.filePath("small.adi")};
    if (!writeGeneratedLog(withLog.log, 100'000) || !writeGeneratedLog(withSmallLog.log, 100)) {
        std::printf("cannot write the log\n");
        return 1;
    }
    Peer xdx{"xdx", QStandardPaths::findExecutable(QStringLiteral("xdx")), {}, {}, {}};
    Peer floor{"qt_floor_probe", QStringLiteral(PELK_BENCH_DIR "/qt_floor_probe"), {}, {}, {}};
    std::vector<Peer*> peers{&program, &withLog, &withSmallLog, &floor};
    if (xdx.program.isEmpty())
        std::printf("xdx is not installed (Debian package xdx): measuring this program alone\n");
    else
        peers.push_back(&xdx);

    Xvfb server;
    if (server.display().empty()) {
        std::printf("Xvfb did not start: nothing measured\n");
        return 1;
    }
    MapWatcher watcher(server.display());
    if (!watcher.ready()) {
        std::printf("cannot watch the windows of %s\n", server.display().c_str());
        return 1;
    }
    // Once each, unmeasured, so that both find their files in the page cache.
    for (Peer* peer : peers) {
        Peer warmUp{peer->name, peer->program, {}, {}, peer->log};
        measure(warmUp, server.display(), watcher);
    }
    for (int round = 0; round < Rounds; ++round) {
        for (Peer* peer : peers) {
            if (!measure(*peer, server.display(), watcher)) {
                std::printf("%s did not map its window\n", peer->name);
                return 1;
            }
        }
    }

    std::printf("%-14s %22s %18s\n", "program", "start to window (ms)", "peak resident (MB)");
    for (const Peer* peer : peers)
        std::printf("%-14s %22.1f %18.1f\n", peer->name, median(peer->startMs),
                    median(peer->peakMb));
    if (!xdx.startMs.empty()) {
        const double timeRatio = median(program.startMs) / median(xdx.startMs);
        const double memoryRatio = median(program.peakMb) / median(xdx.peakMb);
        std::printf("ratio to xdx: start %.2f (target at most 0.80), memory %.2f (target at most "
                    "1.00)\n",
                    timeRatio, memoryRatio);
    }
    std::printf("medians of %d rounds, started in turn under one Xvfb at 1366x768\n", Rounds);
    return 0;
}
