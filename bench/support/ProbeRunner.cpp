#include "ProbeRunner.h"

#include <cstdio>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

std::optional<QByteArray> runProbe(const QString& probe, const QString& argument) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    const QByteArray program = probe.toLocal8Bit();
    const QByteArray arg = argument.toLocal8Bit();
    char* const args[] = {const_cast<char*>(program.constData()),
                          const_cast<char*>(arg.constData()), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.constData(), &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        return std::nullopt;
    }
    std::optional<QByteArray> line;
    if (FILE* out = fdopen(pipeFds[0], "r")) {
        char buffer[512];
        if (std::fgets(buffer, sizeof buffer, out) != nullptr)
            line = QByteArray(buffer).trimmed();
        // Read to the end so that the probe never blocks on a full pipe.
        while (std::fgets(buffer, sizeof buffer, out) != nullptr) {
        }
        std::fclose(out);
    } else {
        close(pipeFds[0]);
    }
    waitpid(pid, nullptr, 0);
    return line;
}
