// The parts the program loads at their first use: kept out of its start-up,
// and harmless when their module is missing.
#include "DurerurFixture.h"
#include "HamlibModule.h"
#include "HamlibRig.h"
#include "LoopbackHttpServer.h"
#include "OnDemandParts.h"

#include <sys/stat.h>

namespace {

QString beside(const QString& name) {
    return QDir(QStringLiteral(PELK_PROGRAM_DIR)).filePath(name);
}

} // namespace

TEST(OnDemand, TheProgramShowsItsWindowWithoutHttpSoundHamlibOrTheBrowserEngine) {
    QTemporaryDir home;
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("XDG_DATA_HOME", home.filePath("data"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(beside("Pelk_Dedirad"), {});
    ASSERT_TRUE(program.waitForStarted());
    // Its start-up ends by storing the revision in the settings store.
    const QString store = home.filePath("config/Durerur.ini");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            QFile file(store);
            return file.open(QIODevice::ReadOnly) && file.readAll().contains("Revision");
        },
        20000))
        << "no settings written to " << store.toStdString();
    // What it has mapped from files.
    const QString mapped = readAll(QStringLiteral("/proc/%1/maps").arg(program.processId()));
    program.kill();
    program.waitForFinished();
    ASSERT_TRUE(mapped.contains("libQt6Widgets"));
    for (const char* library :
         {"libcurl", "libsndfile", "libasound", "libhamlib", "libpelk_", "libQt6WebEngine"})
        EXPECT_FALSE(mapped.contains(QLatin1String(library))) << library;
}

TEST_F(DurerurFixture, AMissingModuleFailsQuietlyAndAMissingHttpModuleIsToldWithItsCure) {
    QTemporaryDir empty;
    OnDemandHttpClient noHttp(empty.filePath(OnDemandHttpClient::ModuleName));
    ModalCloser closer;
    Durerur w(state, settings, config, directory, Platform{noHttp, serial, sound, messages, clock});
    // Not taken for a site that does not answer.
    w.Afficher->click();
    EXPECT_TRUE(closer.texts().isEmpty());
    EXPECT_EQ(w.Etat_Spots->text(),
              "Pelk_Dedirad est incomplet : libpelk_http.so introuvable — réinstallez le paquet "
              "(sudo apt-get install --reinstall pelk-dedirad)");

    OnDemandSoundPlayer noSound(empty.filePath(OnDemandSoundPlayer::ModuleName), "default");
    noSound.play(beside("ringin.wav"));
    HamlibModule noHamlib(empty.filePath(HamlibModule::ModuleName));
    EXPECT_TRUE(noHamlib.models().empty());
    const NetworkRig::Outcome outcome =
        noHamlib.rig(HamlibRig::NetRigctlModel, "127.0.0.1:4532")->tune(14025000.0, std::nullopt);
    EXPECT_EQ(outcome.failure, NetworkRig::Failure::Unreachable);
    EXPECT_TRUE(outcome.reason.contains(HamlibModule::ModuleName));

    // A FIFO under a module's name is never opened: loading would block.
    LoopbackHttpServer server;
    server.setPage("/dx", "<html>VK2ABC</html>");
    ASSERT_EQ(
        ::mkfifo(QFile::encodeName(empty.filePath(OnDemandHttpClient::ModuleName)).constData(),
                 0600),
        0);
    OnDemandHttpClient fifoHttp(empty.filePath(OnDemandHttpClient::ModuleName));
    EXPECT_TRUE(fifoHttp.get(server.baseAddress() + "/dx").isEmpty());
    EXPECT_EQ(fifoHttp.problem(), "libpelk_http.so n'est pas un fichier ordinaire");
}
