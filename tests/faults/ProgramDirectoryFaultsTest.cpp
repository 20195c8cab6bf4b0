// The folder beside the program damaged: not writable, its prefix file gone
// or cut short, its sounds gone or not sounds at all.
#include "DurerurFixture.h"
#include "LoopbackHttpServer.h"
#include "PlayedSound.h"
#include "PseudoTerminal.h"
#include "SpotPages.h"
#include "SpotTexts.h"

#include "../spots/QtPrinters.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

const QString Page14 = QStringLiteral("/dxc/top_50_14_MHz.html");
constexpr int Band14 = 5;
const QString PrefixFile = QStringLiteral("Prefixe_DXCC.txt");

const QList<Spot> Spots{
    {"ja1abc", "14012.5", "06 dec 14:09z", "w1aw", "cq dx"},
    {"k1abc", "14025.0", "06 dec 14:08z", "f6xyz", "tnx"},
    {"w1aw", "14074.0", "06 dec 14:05z", "on4abc", "ft8"},
};
enum SpotRow { Japan, PrefixK, PrefixW };

// Root writes into a folder whatever its mode, through CAP_DAC_OVERRIDE.
// Capabilities belong to each thread: only the calling thread loses it.
bool setOverrideOfPermissions(bool on) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    const unsigned bit = 1U << CAP_DAC_OVERRIDE;
    data[0].effective = on ? data[0].effective | bit : data[0].effective & ~bit;
    return syscall(SYS_capset, &header, data) == 0;
}

bool canWriteIn(const QString& folder) {
    QFile probe(QDir(folder).filePath(QStringLiteral("probe")));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.remove();
    return true;
}

// A folder this thread cannot write into, for the life of the object.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(QString path) : path_(std::move(path)) {
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                         QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        if (canWriteIn(path_))
            droppedOverride_ = setOverrideOfPermissions(false);
    }
    ~ReadOnlyFolder() {
        if (droppedOverride_)
            setOverrideOfPermissions(true);
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool holds() const { return !canWriteIn(path_); }

private:
    QString path_;
    bool droppedOverride_ = false;
};

// Points the per-user data folder at a private one for the life of the object.
class PrivateUserData {
public:
    PrivateUserData() : saved_(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_DATA_HOME", folder_.path().toLocal8Bit());
    }
    ~PrivateUserData() {
        if (saved_.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", saved_);
    }
    PrivateUserData(const PrivateUserData&) = delete;
    PrivateUserData& operator=(const PrivateUserData&) = delete;

    QString path() const { return folder_.path(); }

private:
    QTemporaryDir folder_;
    QByteArray saved_;
};

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool replaceFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace

class ProgramDirectoryFaults : public DurerurFixture {
protected:
    void SetUp() override {
        site.setPage(Page14, spotPage(Spots));
        config.setSpotSite(site.baseAddress());
    }

    // A window with the own position entered, showing the spots.
    void startAndShowSpots() {
        restart({{"Latitude", "48.52N"}, {"Longitude", "2.31E"}});
        window().Bande_CL->setCurrentIndex(Band14);
        window().Afficher->click();
        ASSERT_EQ(linesOf(*window().Liste_Stations), spotLines(Spots));
    }

    void click(int row) {
        window().Liste_Stations->setCurrentRow(-1);
        window().Liste_Stations->setCurrentRow(row);
        QCoreApplication::processEvents();
    }

    // Pref, Pays, Cont, CQ, Dec, ITU, QRB and Azi.
    QStringList panel() {
        Durerur& w = window();
        QStringList texts;
        for (const QLineEdit* box : {w.Pref, w.Pays, w.Cont, w.CQ, w.Dec, w.ITU, w.QRB, w.Azi})
            texts.append(box->text());
        return texts;
    }

    QByteArray alertTest() {
        QFile::remove(soundCapture());
        window().Test_alerte->click();
        return capturedSound(soundCapture());
    }

    LoopbackHttpServer site;
};

TEST_F(ProgramDirectoryFaults, AReadOnlyProgramDirectoryKeepsItsPageInTheUserFolder) {
    PrivateUserData userData;
    startAndShowSpots();
    // The capture of the sounds lies in the program folder too: made beforehand.
    ASSERT_TRUE(replaceFile(soundCapture(), QByteArray()));
    QFile::remove(directory.file(PageScratchFiles::PageFile));

    ReadOnlyFolder readOnly(directory.path());
    if (!readOnly.holds())
        GTEST_SKIP() << "the program folder cannot be made read-only here";

    ModalCloser closer;
    window().Afficher->click();
    EXPECT_EQ(linesOf(*window().Liste_Stations), spotLines(Spots));
    EXPECT_TRUE(closer.texts().isEmpty());
    EXPECT_TRUE(window().Timer2->isActive());
    EXPECT_EQ(QDir(directory.path()).entryList(QDir::Files).filter(QStringLiteral(".txt")),
              QStringList{PrefixFile});
    const QDir fallback(PageScratchFiles::userFolder());
    EXPECT_TRUE(fallback.path().startsWith(userData.path())) << fallback.path().toStdString();
    EXPECT_TRUE(fallback.exists(PageScratchFiles::PageFile));
    EXPECT_FALSE(fallback.exists(PageScratchFiles::WorkFile));

    // What lies beside the program is still read: the prefix file and the sounds.
    click(Japan);
    EXPECT_EQ(window().Pays->text(), QStringLiteral("Japan"));
    EXPECT_EQ(alertTest(), soundOf(directory.file(SpotTexts::AlertSound)));
}

TEST_F(ProgramDirectoryFaults, APrefixFileCutShortServesTheLinesBeforeTheCut) {
    startAndShowSpots();
    click(Japan);
    const QStringList japan = panel();
    ASSERT_EQ(japan[1], QStringLiteral("Japan"));

    // Cut inside the record of prefix K, in the middle of the "é" of its
    // continent.
    const QByteArray whole = contentOf(directory.file(PrefixFile));
    const qsizetype recordK = whole.indexOf("\nK      ") + 1;
    ASSERT_GT(recordK, 0);
    const qsizetype accent = whole.indexOf("\xC3\xA9", recordK);
    ASSERT_GT(accent, recordK);
    ASSERT_TRUE(replaceFile(directory.file(PrefixFile), whole.left(accent + 1)));

    click(Japan);
    EXPECT_EQ(panel(), japan);
    click(PrefixK);
    EXPECT_EQ(window().Pref->text(), QStringLiteral("K"));
    EXPECT_EQ(window().Pays->text(), QStringLiteral("United States of America"));
    EXPECT_TRUE(window().Cont->text().startsWith(QStringLiteral("Am")));
    EXPECT_EQ(panel().mid(3, 3), (QStringList{"", "", ""}));
    click(PrefixW);
    EXPECT_EQ(panel().first(6), (QStringList{"", "", "", "", "", ""}));
}

TEST_F(ProgramDirectoryFaults, WithoutThePrefixFileAClickStillTunesTheRadio) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.ok());
    config.setPortDevice(1, pty.device());
    startAndShowSpots();
    window().Mnu_Com_Click(1);
    ASSERT_TRUE(QFile::remove(directory.file(PrefixFile)));

    ModalCloser closer;
    click(Japan);
    EXPECT_EQ(panel().first(6), (QStringList{"", "", "", "", "", ""}));
    EXPECT_EQ(pty.readAvailable().size(), 4 * 5);
    EXPECT_TRUE(closer.texts().isEmpty());
}

TEST_F(ProgramDirectoryFaults, ASoundFileMissingOrNotAWavPlaysTheBeep) {
    window();
    const QString alert = directory.file(SpotTexts::AlertSound);
    const QByteArray wav = contentOf(alert);
    const QByteArray samples = soundOf(alert);
    ASSERT_FALSE(samples.isEmpty());

    const std::pair<const char*, std::function<bool()>> damages[] = {
        {"missing", [&] { return QFile::remove(alert); }},
        {"text", [&] { return replaceFile(alert, "RIFF? no, a note left here\n"); }},
        {"header without samples", [&] { return replaceFile(alert, wav.left(44)); }},
        {"a folder", [&] { return QFile::remove(alert) && QDir().mkdir(alert); }},
    };
    for (const auto& [name, damage] : damages) {
        SCOPED_TRACE(name);
        QDir(alert).removeRecursively();
        QFile::remove(alert);
        ASSERT_TRUE(replaceFile(alert, wav));
        ASSERT_TRUE(damage());
        EXPECT_EQ(alertTest(), beepSound());
    }

    // A sound cut short plays the samples that are there.
    QDir(alert).removeRecursively();
    ASSERT_TRUE(replaceFile(alert, wav.left(wav.size() / 2)));
    const QByteArray part = alertTest();
    EXPECT_FALSE(part.isEmpty());
    EXPECT_LT(part.size(), samples.size());
    EXPECT_TRUE(samples.startsWith(part));

    // The no-answer sound damaged: the beep, then the message.
    ASSERT_TRUE(replaceFile(directory.file(SpotTexts::NoAnswerSound), "not a sound"));
    site.removeResponse(Page14);
    ModalCloser closer;
    QFile::remove(soundCapture());
    window().Afficher->click();
    EXPECT_EQ(capturedSound(soundCapture()), beepSound());
    EXPECT_EQ(closer.texts(), QStringList{SpotTexts::NoAnswer});
}
