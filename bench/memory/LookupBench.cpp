// The lookup window's first opening in a freshly started program: from the
// button press to the page loaded, with the resident memory then.
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct Opening {
    long long ms = -1;
    long selfKb = 0;
    long helpersKb = 0;
};

Opening runProbe(const QString& probe, const QString& settingsFolder) {
    Opening opening;
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return opening;
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
    if (spawned != 0) {
        close(pipeFds[0]);
        return opening;
    }
    FILE* out = fdopen(pipeFds[0], "r");
    if (out != nullptr) {
        if (std::fscanf(out, "opened %lld %ld %ld", &opening.ms, &opening.selfKb,
                        &opening.helpersKb) != 3)
            opening.ms = -1;
        std::fclose(out);
    }
    waitpid(pid, nullptr, 0);
    return opening;
}

void BM_LookupWindowFirstOpening(benchmark::State& state) {
    const QString probe = QStringLiteral(PELK_PROGRAM_DIR "/lookup_probe");
    Opening opening;
    for (auto _ : state) {
        QTemporaryDir settingsFolder;
        opening = runProbe(probe, settingsFolder.path());
        if (opening.ms < 0) {
            state.SkipWithError("the probe did not load the lookup page");
            return;
        }
        state.SetIterationTime(static_cast<double>(opening.ms) / 1000.0);
    }
    state.counters["program_rss_MB"] = static_cast<double>(opening.selfKb) / 1024.0;
    state.counters["browser_helpers_pss_MB"] = static_cast<double>(opening.helpersKb) / 1024.0;
}
BENCHMARK(BM_LookupWindowFirstOpening)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

} // namespace

BENCHMARK_MAIN();
