// Wall time from process start to the main window shown, with an empty
// settings store, and the peak resident memory at that moment.
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Runs the probe once; returns its peak RSS in kB, or -1 on failure.
long runProbe(const QString& probe, const QString& settingsFolder) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    const QByteArray program = probe.toLocal8Bit();
    const QByteArray folder = settingsFolder.toLocal8Bit();
    char* const args[] = {const_cast<char*>(program.constData()),
                          const_cast<char*>(folder.constData()), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.constData(), &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    long rss = -1;
    if (spawned == 0) {
        FILE* out = fdopen(pipeFds[0], "r");
        if (out != nullptr && std::fscanf(out, "shown %ld", &rss) != 1)
            rss = -1;
        if (out != nullptr)
            std::fclose(out);
        waitpid(pid, nullptr, 0);
    } else {
        close(pipeFds[0]);
    }
    return rss;
}

void BM_StartupToWindowShown(benchmark::State& state) {
    const QString probe = QStringLiteral(PELK_PROGRAM_DIR "/startup_probe");
    long rss = 0;
    for (auto _ : state) {
        QTemporaryDir settingsFolder; // an empty store on every start
        const auto start = std::chrono::steady_clock::now();
        rss = runProbe(probe, settingsFolder.path());
        const auto end = std::chrono::steady_clock::now();
        if (rss < 0) {
            state.SkipWithError("the probe did not show its window");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    state.counters["peak_rss_MB"] = static_cast<double>(rss) / 1024.0;
}
BENCHMARK(BM_StartupToWindowShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

BENCHMARK_MAIN();
