// WSJT-X's decodes through the main window, from the real WSJT-X decoding a
// recording under an X server of its own, driven as its user would drive it.
#include "DurerurFixture.h"

#include <gmock/gmock.h>
#include <signal.h>
#include <sys/sem.h>
#include <sys/shm.h>

namespace {

constexpr int WavHeaderBytes = 44;
const QString MainWindow = QStringLiteral("by K1JT et al\\.$");

// ft8sim's recordings of each message at its audio offset, summed into one
// at `path` (each at its share of the level: ft8sim writes at full scale).
bool writeRecording(const QString& path, const QList<std::pair<QString, int>>& messages) {
    QList<QByteArray> recordings;
    for (const auto& [message, audioHz] : messages) {
        const QString folder = QFileInfo(path).dir().filePath(QString::number(audioHz));
        QProcess sim;
        QDir().mkpath(folder);
        sim.setWorkingDirectory(folder);
        sim.start("ft8sim", {message, QString::number(audioHz), "0", "0", "0", "1", "99"});
        QFile wav(QDir(folder).filePath("000000_000001.wav"));
        if (!sim.waitForFinished(30000) || !wav.open(QIODevice::ReadOnly))
            return false;
        recordings.append(wav.readAll());
    }
    QByteArray mixed = recordings.constFirst();
    for (qsizetype at = WavHeaderBytes; at + 1 < mixed.size(); at += 2) {
        int sum = 0;
        for (const QByteArray& recording : recordings)
            sum += qFromLittleEndian<qint16>(recording.constData() + at);
        qToLittleEndian(qint16(sum / recordings.size()), mixed.data() + at);
    }
    return writeFile(path, mixed);
}

// The real WSJT-X with its own home, settings and temporary folders, on an
// X server of its own. It goes with its decoder (jt9) and the shared memory
// they leave behind when killed.
class RealWsjtx {
public:
    ~RealWsjtx() {
        if (group_ > 0) {
            ::kill(-group_, SIGKILL);
            wsjtx_.waitForFinished(5000);
        }
        for (const QFileInfo& file :
             QDir(folder.filePath("XDG_CACHE_HOME")).entryInfoList({"qipc_*"})) {
            const key_t key = ftok(QFile::encodeName(file.filePath()).constData(), 'Q');
            if (const int memory = shmget(key, 0, 0); memory >= 0)
                shmctl(memory, IPC_RMID, nullptr);
            if (const int semaphore = semget(key, 0, 0); semaphore >= 0)
                semctl(semaphore, 0, IPC_RMID);
        }
        xvfb_.kill();
        xvfb_.waitForFinished(5000);
    }

    // Starts it on FT8 at 14.074 MHz sending to `port`, calls accepted.
    bool start(quint16 port) {
        xvfb_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1366x768x24", "-nolisten", "tcp"});
        if (!xvfb_.waitForReadyRead(10000))
            return false;
        environment_.insert("PATH", qEnvironmentVariable("PATH"));
        environment_.insert("DISPLAY",
                            ':' + QString::fromLatin1(xvfb_.readAllStandardOutput()).trimmed());
        // A bus that leads nowhere: else Qt starts one and leaves it behind.
        environment_.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
        for (const char* variable :
             {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
            QDir().mkpath(folder.filePath(variable));
            environment_.insert(variable, folder.filePath(variable));
        }
        environment_.insert("TMPDIR", folder.filePath("XDG_CACHE_HOME"));
        QFile::setPermissions(folder.filePath("XDG_RUNTIME_DIR"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // Its FT8 decoder searches only the audio range its waterfall shows.
        writeFile(folder.filePath("XDG_CONFIG_HOME/WSJT-X.ini"),
                  QStringLiteral("[Configuration]\nMyCall=F4XYZ\nMyGrid=JN18\nUDPServer=127.0.0.1\n"
                                 "UDPServerPort=%1\nAcceptUDPRequests=true\n[Common]\nMode=FT8\n"
                                 "DialFreq=14074000\n[MultiSettings]\nSplash_v1.7=false\n"
                                 "[WideGraph]\nBinsPerPixel=4\n")
                      .arg(port)
                      .toUtf8());
        wsjtx_.setProcessEnvironment(environment_);
        wsjtx_.setStandardOutputFile(QProcess::nullDevice());
        wsjtx_.setStandardErrorFile(QProcess::nullDevice());
        wsjtx_.setChildProcessModifier([] { ::setsid(); });
        wsjtx_.start("wsjtx", {});
        group_ = wsjtx_.waitForStarted(10000) ? pid_t(wsjtx_.processId()) : 0;
        return group_ > 0;
    }

    // File → Open on the recording.
    bool open(const QString& recording) {
        return to(MainWindow, {"key", "ctrl+o"}) &&
               to("^Open File$", {"type", "--delay", "10", recording}) &&
               xdotool({"key", "Return"});
    }

    // "Log QSO" on the station it calls, then OK.
    bool logQso() { return to(MainWindow, {"key", "alt+q"}) && to("Log QSO$", {"key", "Return"}); }

    QTemporaryDir folder;

private:
    // Focuses the window whose name matches, once it shows, then runs the
    // command (keys or text) there.
    bool to(const QString& windowName, const QStringList& command) {
        QByteArray ids;
        const auto shown = [&] { return xdotool({"search", "--name", windowName}, &ids); };
        return QTest::qWaitFor(shown, 30000) &&
               xdotool(QStringList{"windowfocus", ids.trimmed().split('\n').constLast()} + command);
    }

    bool xdotool(const QStringList& arguments, QByteArray* output = nullptr) {
        QProcess tool;
        tool.setProcessEnvironment(environment_);
        tool.start("xdotool", arguments);
        // One that hangs is killed as `tool` goes.
        if (!tool.waitForFinished(10000))
            return false;
        if (output != nullptr)
            *output = tool.readAllStandardOutput();
        return tool.exitCode() == 0;
    }

    QProcessEnvironment environment_;
    QProcess xvfb_;
    QProcess wsjtx_;
    pid_t group_ = 0;
};

} // namespace

using WsjtxPeer = DurerurFixture;

TEST_F(WsjtxPeer, ItsCqStationsAreListedByNeedCalledOnADoubleClickAndKnownLoggedAtOnce) {
    for (const char* program : {"wsjtx", "ft8sim", "xdotool", "Xvfb"})
        if (QStandardPaths::findExecutable(program).isEmpty())
            GTEST_SKIP() << program << " is not installed (Debian packages wsjtx, xdotool, xvfb)";
    const QString logPath = programFolder.filePath(QStringLiteral("log.adi"));
    ASSERT_TRUE(
        writeFile(logPath, "<CALL:6>DL1XYZ<BAND:3>20m<MODE:3>FT8<LOTW_QSL_RCVD:1>Y<EOR>\n"));
    config.setValue(ConfigKey::AdifLog, logPath);
    const quint16 port = freePort();
    config.setValue(ConfigKey::WsjtxUdp, loopbackAddress(port));
    Durerur& w = window();
    WsjtxListener& listener = w.decodes().listener();

    RealWsjtx wsjtx;
    const QString recording = wsjtx.folder.filePath("recording_143015.wav");
    ASSERT_TRUE(writeRecording(recording, {{"CQ 3Y0J JD15", 1000}, {"K1ABC F5XYZ -10", 700}}));
    ASSERT_TRUE(wsjtx.start(port));
    // Its first statuses give a dial of 0, then of 145 MHz, before its own.
    ASSERT_TRUE(QTest::qWaitFor([&] { return listener.dialOf("WSJT-X") == 14074000; }, 60000));
    ASSERT_TRUE(wsjtx.open(recording));

    // The station calling CQ is listed by what a contact would bring; the
    // one in a contact with another is not.
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.decodes().window() != nullptr; }, 60000));
    QListWidget& list = *w.decodes().window()->Liste_Decodages;
    QTest::qWait(1000); // the rest of the period's decodes
    ASSERT_EQ(list.count(), 1);
    EXPECT_THAT(lineTexts(list).value(0).toStdString(),
                testing::MatchesRegex("143015 +[-+0-9]+ 1000 FT8  3Y0J +Bouvet +"
                                      "Nouvelle entité +CQ 3Y0J JD15"));

    // A double click makes WSJT-X call it.
    const QPoint line = list.visualItemRect(list.item(0)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, line);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, line);
    ASSERT_TRUE(QTest::qWaitFor([&] { return listener.dxCallOf("WSJT-X") == "3Y0J"; }, 20000));

    // Logged there: its entity is worked, waiting for its confirmation.
    ASSERT_TRUE(wsjtx.logQso());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return lineTexts(list).value(0).contains("Entité à confirmer"); }, 20000))
        << lineTexts(list).value(0).toStdString();
}
