// The main window over real parts when the spot site, the serial link, the
// program folder or the settings store misbehave.
#include "DurerurFixture.h"
#include "LoopbackHttpServer.h"
#include "SpotPageBuilder.h"
#include "TempSettings.h"

#include <QSerialPort>
#include <atomic>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <pty.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

namespace {

const QString Page14 = QStringLiteral("/dxc/top_50_14_MHz.html");
const QString NoAnswer = QStringLiteral("Pas de reponse du site vérifiez votre liaison internet\r\n"
                                        "            Appuyez de nouveau sur Afficher");
constexpr int Band14 = 5;

// Newest first: the list shows them in this order.
const QByteArray Page =
    spotPageHtml(spotRowHtml(testSpot("TK5EP", "14025.0", "CQ DX", "F6XYZ", "06 DEC 14:09Z")) +
                 spotRowHtml(testSpot("JA1ABC", "14025.0", "CQ DX", "F6XYZ", "06 DEC 14:08Z")) +
                 spotRowHtml(testSpot("F5ABC", "14025.0", "CQ DX")));

QByteArray randomBytes(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator(1406).fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

} // namespace

class Faults : public DurerurFixture {
protected:
    void SetUp() override {
        // The per-user folder, where the page goes when the program's is read-only.
        qputenv("XDG_DATA_HOME", userData.path().toLocal8Bit());
        http = CurlHttpClient({1000, 1500}); // a stalled site costs the whole total
        site.emplace();
        site->setPage(Page14, Page);
        config.setSpotSite(site->baseAddress());
        start();
    }
    // A window on 14 MHz with the coordinates a click asks for.
    void start() {
        restart({{"Latitude", "48.52N"}, {"Longitude", "2.31E"}});
        window().Bande_CL->setCurrentIndex(Band14);
    }

    // Runs an action; true when the window came back within the limit.
    static bool within(qint64 limitMs, const std::function<void()>& action) {
        QElapsedTimer clock;
        clock.start();
        action();
        QCoreApplication::processEvents();
        return clock.elapsed() < limitMs;
    }
    // Afficher, within the HTTP limits plus the sound and the message.
    bool afficher() {
        return within(6500, [&] { window().Afficher->click(); });
    }
    // A click on a line, within a sequence whose four drains are all given up.
    bool click(int line) {
        return within(1300 + 4 * CatSequences::DrainLimitMs, [&] {
            window().Liste_Stations->setCurrentRow(-1);
            window().Liste_Stations->setCurrentRow(line);
        });
    }

    QTemporaryDir userData;
    std::optional<LoopbackHttpServer> site;
};

TEST_F(Faults, SpotSiteFailuresAreToldAndStopTheTimer) {
    const QByteArray self = (site->baseAddress() + Page14).toLatin1();
    const LoopbackHttpServer::Response error{500, "text/html", "oops"};
    QByteArray many;
    for (int i = 0; i < 5000; ++i)
        many += spotRowHtml(
            testSpot(QStringLiteral("K%1AB").arg(i), "14025.0", "CQ DX", "F6XYZ", "06 DEC 12:00Z"));
    // Rows shown, or -1 for the no-answer path.
    const std::tuple<const char*, std::function<void()>, int> cases[] = {
        {"silent", [&] { site->setMode(LoopbackHttpServer::Mode::Stall); }, -1},
        {"404", [&] { site->removeResponse(Page14); }, -1},
        {"500", [&] { site->setResponse(Page14, error); }, -1},
        {"redirect loop", [&] { site->setRedirect(Page14, self); }, -1},
        {"lost mid-row", [&] { site->setCutShort(Page14, Page.left(300), 4000); }, -1},
        {"10 MiB of random bytes", [&] { site->setPage(Page14, randomBytes(10 << 20)); }, -1},
        {"ends mid-row", [&] { site->setPage(Page14, Page.left(Page.indexOf("f5abc") + 40)); }, 2},
        {"5,000 rows", [&] { site->setPage(Page14, spotPageHtml(many)); }, 5000},
        {"refused", [&] { site.reset(); }, -1},
    };
    for (const auto& [name, breakSite, rows] : cases) {
        SCOPED_TRACE(name);
        site->setMode(LoopbackHttpServer::Mode::Serve);
        site->setPage(Page14, Page);
        ModalCloser closer;
        ASSERT_TRUE(afficher());
        breakSite();
        EXPECT_TRUE(afficher());
        EXPECT_EQ(window().Liste_Stations->count(), std::max(rows, 0));
        EXPECT_EQ(window().Timer2->isActive(), rows >= 0);
        EXPECT_EQ(closer.texts(), rows < 0 ? QStringList{NoAnswer} : QStringList{});
    }
}

TEST_F(Faults, SerialLinkHeldStuckOrFloodedLeavesTheWindowUsable) {
    ModalCloser closer;
    QSerialPort other(pty.device());
    ASSERT_TRUE(other.open(QIODevice::ReadWrite));
    window().Mnu_Com_Click(1);
    EXPECT_EQ(closer.texts(), QStringList{"Le port Com1 (" + pty.device() +
                                          ") est utilisé par un autre programme"});
    other.close();
    // Held by flock (pyserial's exclusive mode): held just the same.
    const int flocked = ::open(QFile::encodeName(pty.device()).constData(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(::flock(flocked, LOCK_EX | LOCK_NB), 0);
    window().Mnu_Com_Click(1);
    ::close(flocked);
    EXPECT_EQ(closer.texts().value(1), closer.texts().value(0));

    // A device the user may not open says so, and how to mend it.
    const QByteArray device = QFile::encodeName(pty.device());
    struct stat mode {};
    ::stat(device.constData(), &mode);
    ::chmod(device.constData(), 0);
    overridePermissions(false);
    window().Mnu_Com_Click(1);
    overridePermissions(true);
    ::chmod(device.constData(), mode.st_mode & 07777);
    const QString notPermitted = "Le port Com1 (" + pty.device() +
                                 ") ne vous est pas permis : ajoutez votre compte au groupe "
                                 "dialout (sudo usermod -aG dialout $USER), puis ouvrez une "
                                 "nouvelle session";
    EXPECT_EQ(closer.texts().value(2), notPermitted);
    ASSERT_TRUE(afficher());

    // The radio reads nothing and another writer fills the terminal: the
    // buffer makes room in steps, so fill until it stays full.
    const int filler =
        ::open(pty.device().toLocal8Bit().constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(filler, 0);
    for (bool tookSome = true; tookSome; QTest::qWait(50)) {
        for (tookSome = false; ::write(filler, "x", 1) == 1;)
            tookSome = true;
    }
    ::close(filler);
    window().Mnu_Com_Click(1);
    ASSERT_TRUE(serial.isOpen());
    EXPECT_TRUE(click(0));
    // The radio reads again: what the sequence gave up on must not follow.
    pty.readAvailable(100);
    QTest::qWait(300);
    EXPECT_TRUE(pty.readAvailable(100).isEmpty());

    // A radio in transceive mode talks without pause; nothing reads it.
    int master = -1, slave = -1;
    char name[256] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    const auto closePty = qScopeGuard([&] { ::close(master), ::close(slave); });
    config.setPortDevice(2, QString::fromLocal8Bit(name));
    window().Mnu_Com_Click(2);
    ASSERT_TRUE(serial.isOpen());
    const long before = residentKb();
    std::atomic<bool> talking{true};
    std::thread radio([&] {
        for (const QByteArray chatter(4096, '\xFE'); talking;)
            if (::write(master, chatter.constData(), chatter.size()) <= 0)
                QTest::qSleep(5);
    });
    QTest::qWait(1500);
    talking = false;
    radio.join();
    EXPECT_LT(residentKb() - before, 8 * 1024);
    EXPECT_TRUE(click(1));
    char heard[5] = {};
    // The sequence's first block, CAT on, reaches the radio.
    EXPECT_TRUE(::read(master, heard, 5) == 5 && QByteArray(heard, 5) == QByteArray(5, '\0'));
    EXPECT_EQ(closer.texts().size(), 3);
}

TEST_F(Faults, DamagedProgramFolderStillShowsSpotsAndSounds) {
    // The sound of the alert is not a WAV: the built-in beep plays.
    ASSERT_TRUE(writeFile(directory.file(QStringLiteral("ringout.wav")), "RIFF? no, a note\n"));
    QFile::remove(soundCapture());
    window().Test_alerte->click();
    const std::vector<short> beep = AlsaSoundPlayer::beepSamples(AlsaSoundPlayer::BeepRate);
    QFile capture(soundCapture());
    ASSERT_TRUE(capture.open(QIODevice::ReadOnly));
    EXPECT_EQ(capture.readAll(), QByteArray(reinterpret_cast<const char*>(beep.data()),
                                            qsizetype(beep.size() * sizeof(short))));

    // Started without the prefix file, a click shows no country and still tunes.
    const QString prefixes = directory.file(QStringLiteral("Prefixe_DXCC.txt"));
    ASSERT_TRUE(QFile::rename(prefixes, prefixes + ".away"));
    start();
    window().Mnu_Com_Click(1);
    ModalCloser closer;
    ASSERT_TRUE(afficher());
    EXPECT_TRUE(click(1));
    EXPECT_EQ(window().Pays->text(), QString());
    EXPECT_EQ(pty.readAvailable().size(), 4 * 5);
    ASSERT_TRUE(QFile::rename(prefixes + ".away", prefixes));
    start();

    // A read-only program folder: the page goes to the per-user folder.
    QFile::remove(directory.file(QStringLiteral("Dedirad1.txt")));
    QFile::setPermissions(directory.path(), QFile::ReadOwner | QFile::ExeOwner);
    overridePermissions(false);
    const auto restore = qScopeGuard([&] {
        overridePermissions(true); // refused, harmlessly, to a user who never had it
        QFile::setPermissions(directory.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    if (writeFile(directory.file(QStringLiteral("probe")), ""))
        GTEST_SKIP() << "the program folder cannot be made read-only here";
    ASSERT_TRUE(afficher());
    EXPECT_EQ(window().Liste_Stations->count(), 3);
    EXPECT_FALSE(QFile::exists(directory.file(QStringLiteral("Dedirad1.txt"))));
    EXPECT_TRUE(QDir(PageScratchFiles::userFolder()).exists(QStringLiteral("Dedirad1.txt")));
    EXPECT_TRUE(click(1));
    EXPECT_EQ(window().Pays->text(), QStringLiteral("Japan"));
    EXPECT_TRUE(closer.texts().isEmpty());
}

TEST_F(Faults, ASettingsStoreOfGarbageOrNoRegularFileStartsWithTheFallbacks) {
    QTemporaryDir elsewhere;
    const QString device = elsewhere.filePath(QStringLiteral("null"));
    // The numbers of /dev/null: harmless even if written to.
    const bool haveDevice =
        ::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    const QString ini = TempSettings::iniFile();
    const QByteArray garbage =
        "[Setup%20]\nbande%20Durerur=99999999999999999999\n"
        "bande%20Durerur%201=-99999999999999999999\nTransceiver=-7e3\nLongitude=\nLatitude=\n"
        "Tri_Rem=\"unterminated\nPort%20Com=@Rect(1 2 3 4)\nBaud=115200,n,8,1\n"
        "Chemin%20Repertoire=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x5\\x42ogus)\n"
        "Revision=@ByteArray(\xff\xfe)\n";
    // How the store is made; whether it is no regular file, which is said
    // once and left as it is.
    const std::tuple<const char*, std::function<bool()>, bool> stores[] = {
        {"random bytes", [&] { return writeFile(ini, randomBytes(64 * 1024)); }, false},
        {"garbage values", [&] { return writeFile(ini, garbage); }, false},
        {"FIFO", [&] { return ::mkfifo(QFile::encodeName(ini).constData(), 0600) == 0; }, true},
        {"link to a device node", [&] { return haveDevice && QFile::link(device, ini); }, true},
        {"dangling link", [&] { return QFile::link(elsewhere.filePath("gone"), ini); }, true},
    };
    for (const auto& [name, make, unusable] : stores) {
        SCOPED_TRACE(name);
        closeWindow();
        // The fixture's own store syncs once more after its saves.
        QCoreApplication::sendPostedEvents();
        QFile::remove(ini);
        ASSERT_TRUE(make()) << "could not make the " << name;
        struct stat before {};
        ::lstat(QFile::encodeName(ini).constData(), &before);
        ModalCloser closer;
        {
            SettingsStore store; // must not hang on the FIFO
            state = SharedState();
            Durerur w(state, store, config, directory,
                      Platform{http, serial, sound, messages, clock});
            EXPECT_EQ(QStringList({w.Bande_CL->currentText(), w.Emetteur->currentText(),
                                   state.Latitude_Station, w.NumPort->text()}),
                      QStringList({w.Bande_CL->itemText(0), "FT-847", "0.00", "0"}));
            w.Emetteur->setCurrentIndex(4); // a save
            w.Bande_CL->setCurrentIndex(Band14);
            EXPECT_TRUE(within(6500, [&] { w.Afficher->click(); }));
            EXPECT_EQ(w.Liste_Stations->count(), 3);
            w.close();
        }
        if (!unusable) {
            EXPECT_TRUE(closer.texts().isEmpty());
            continue;
        }
        ASSERT_EQ(closer.texts().size(), 1);
        EXPECT_EQ(closer.texts()[0], "Le fichier des réglages " + ini +
                                         " n'est pas un fichier ordinaire : le programme démarre "
                                         "avec les réglages par défaut et n'enregistre aucun "
                                         "choix.");
        struct stat after {};
        ::lstat(QFile::encodeName(ini).constData(), &after);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_ino, before.st_ino);
    }
    QFile::remove(ini);
    if (haveDevice) {
        struct stat node {};
        ::stat(QFile::encodeName(device).constData(), &node);
        EXPECT_TRUE(S_ISCHR(node.st_mode));
    }
}

TEST_F(Faults, AlertsOnEveryRowOfTwoBandsSoundFourTimesAtMost) {
    QByteArray rows;
    for (int i = 0; i < 50; ++i)
        rows += spotRowHtml(testSpot(QStringLiteral("K%1AB").arg(i), "14025.0", "CQ DX"));
    site->setPage(Page14, spotPageHtml(rows));
    site->setPage(QStringLiteral("/dxc/top_50_7_MHz.html"), spotPageHtml(rows));
    Durerur& w = window();
    w.Bande_CL2->setCurrentIndex(3);
    w.Indicatif->setText(QStringLiteral("K"));
    w.Remarque->setText(QStringLiteral("CQ"));
    for (QCheckBox* box : {w.Check2, w.Check4})
        box->setChecked(true);
    w.Check3->setChecked(true);
    w.Afficher->click();
    EXPECT_EQ(counting.played, 4);
    EXPECT_EQ(w.Liste_Stations->count(), 200); // two filters passed, two bands
}

TEST_F(Faults, ASlowSiteLeavesTheWindowPaintingButDeafAndAHugeRemarkKeepsTheFocus) {
    struct PaintCounter : QObject {
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                ++paints;
            return false;
        }
        int paints = 0;
    } counter;
    ModalCloser closer;
    window().show();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    site->setDelay(1000);
    window().Liste_Stations->viewport()->installEventFilter(&counter);
    int paintsWhileWaiting = -1;
    bool busyWhileWaiting = false;
    QTimer::singleShot(400, [&] {
        busyWhileWaiting = window().Patientez->isVisible() && !window().Afficher->isEnabled();
        counter.paints = 0;
        window().Liste_Stations->viewport()->update();
        QTimer::singleShot(200, [&] { paintsWhileWaiting = counter.paints; });
    });
    ASSERT_TRUE(afficher());
    EXPECT_TRUE(busyWhileWaiting);
    EXPECT_GT(paintsWhileWaiting, 0);
    EXPECT_EQ(window().Liste_Stations->count(), 3);

    // A remark of 4 MB: typing goes where the focus was.
    site->setDelay(0);
    site->setPage(Page14,
                  spotPageHtml(spotRowHtml(testSpot("f5abc", "14025.0", QString(4'000'000, u'q'),
                                                    "f6xyz", "06 dec 14:05z"))));
    window().Remarque->setText(QStringLiteral("CQ"));
    window().Afficher->setFocus();
    ASSERT_TRUE(afficher());
    ASSERT_EQ(window().Liste_Stations->count(), 1);
    EXPECT_EQ(QApplication::focusWidget(), window().Afficher);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
    EXPECT_EQ(window().Remarque->text(), QStringLiteral("CQ"));
    EXPECT_TRUE(closer.texts().isEmpty());
}
