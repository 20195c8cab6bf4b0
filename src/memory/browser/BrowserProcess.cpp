#include "BrowserProcess.h"

#include "BrowserCommands.h"

#include <csignal>
#include <sys/prctl.h>

namespace {

constexpr int StartMilliseconds = 5000;
constexpr int EndMilliseconds = 2000;

} // namespace

const QString BrowserProcess::ProgramName = QStringLiteral("pelk_browser");

BrowserProcess::BrowserProcess(QString program) : program_(std::move(program)) {
    // Its own messages go where the program's go.
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    connect(&process_, &QProcess::readyReadStandardOutput, this, [this] {
        while (process_.canReadLine())
            emit reported(QString::fromUtf8(process_.readLine()).trimmed());
    });
}

BrowserProcess::~BrowserProcess() {
    end();
}

bool BrowserProcess::show(const QString& caption, const QUrl& address) {
    if (!running()) {
        process_.start(program_, {});
        if (!process_.waitForStarted(StartMilliseconds))
            return false;
    }
    return process_.write(BrowserCommand{caption, address}.encoded()) > 0;
}

void BrowserProcess::end() {
    if (!running())
        return;
    // The end of its input is its signal to close the window and end.
    process_.closeWriteChannel();
    if (!process_.waitForFinished(EndMilliseconds)) {
        process_.kill();
        process_.waitForFinished(EndMilliseconds);
    }
}
