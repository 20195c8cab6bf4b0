// The country data: made alike from cty.dat and cty.csv, updated from the
// site and from Debian's package, and what a bad answer leaves in use.
#include "CountryDataFiles.h"
#include "CountryUpdate.h"
#include "CurlHttpClient.h"
#include "DurerurFixture.h"
#include "LoopbackHttpServer.h"
#include "PrefixFileLayout.h"
#include "TestSupport.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLockFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A recent version, as this month's country file has.
QDate recentVersion() {
    return QDate::currentDate().addDays(-1);
}

// The build's country file with this month's changes: a new prefix Z9 for
// South Sudan, Monaco in CQ zone 15 and ITU zone 28, a recent version.
QByteArray thisMonths(QByteArray text) {
    const QByteArray version = "=VER" + recentVersion().toString("yyyyMMdd").toLatin1();
    text.replace("=VER20230502", version);
    text.replace("Z8 =ST0R;", "Z8 Z9 =ST0R;");
    text.replace("3A,Monaco,260,EU,14,27,", "3A,Monaco,260,EU,15,28,");
    text.replace("    Z8,=ST0R;", "    Z8,Z9,=ST0R;");
    text.replace("Monaco:                   14:  27:", "Monaco:                   15:  28:");
    return text;
}

// This month's cty.csv with `entities` more entities, each holding a prefix,
// `prefixes` more and `calls` exact calls: a forged or amplified file.
QByteArray swollen(int entities, int prefixes, int calls) {
    QByteArray text = thisMonths(bytesOf(PELK_CTY_CSV));
    for (int entity = 0; entity < entities; ++entity) {
        const QByteArray name = "QX" + QByteArray::number(entity);
        text += name + ",Nowhere " + name + ",999,EU,1,1,0.00,0.00,0.0," + name;
        for (int prefix = 0; prefix < prefixes; ++prefix)
            text += ' ' + name + 'P' + QByteArray::number(prefix);
        for (int call = 0; call < calls; ++call)
            text += " =" + name + 'C' + QByteArray::number(call);
        text += ";\n";
    }
    return text;
}

// This month's cty.csv as the site's smaller flavour gives it, with far fewer
// prefixes and exact calls: each entity's first prefix and one exact call in
// ten.
QByteArray smallerFlavour() {
    QByteArray text;
    for (const QByteArray& line : thisMonths(bytesOf(PELK_CTY_CSV)).split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        const qsizetype list = line.lastIndexOf(',') + 1;
        const QList<QByteArray> tokens = line.mid(list).trimmed().chopped(1).split(' ');
        QByteArrayList kept{tokens.first()};
        int calls = 0;
        for (const QByteArray& token : tokens.mid(1)) {
            if (token.startsWith("=VER") || (token.startsWith('=') && ++calls % 10 == 0))
                kept.append(token);
        }
        text += line.left(list) + kept.join(' ') + ";\n";
    }
    return text;
}

// cty.dat written in the CSV form, with the numbers of the build's cty.csv.
QString asCsv(const QString& dat) {
    QHash<QString, QString> numbers;
    for (const QString& line : QString::fromUtf8(bytesOf(PELK_CTY_CSV)).split('\n'))
        numbers.insert(line.section(',', 0, 0), line.section(',', 2, 2));
    QString csv;
    for (QString record : dat.split(';')) {
        record = record.trimmed();
        if (record.isEmpty())
            continue;
        QStringList header = record.section('\n', 0, 0).split(':');
        for (QString& field : header)
            field = field.trimmed();
        const QString prefixes = record.section('\n', 1).simplified().remove(' ');
        csv += QStringList{header[7],
                           header[0],
                           numbers.value(header[7]),
                           header[3],
                           header[1],
                           header[2],
                           header[4],
                           header[5],
                           header[6],
                           prefixes.split(',').join(' ') + ';'}
                   .join(',') +
               '\n';
    }
    return csv;
}

} // namespace

TEST(CountryFiles, CtyDatAndCtyCsvOfTheSameContentMakeTheSameFiles) {
    // One country's name holds a comma, which the CSV form cannot.
    const QString dat = QString::fromUtf8(bytesOf(PELK_CTY_DAT))
                            .replace("Juan de Nova, Europa", "Juan de Nova & Europa");
    QStringList problems;
    CountryFile fromDat = readCtyDat(dat, problems);
    takeEntityNumbers(fromDat, readCtyCsv(asCsv(dat), problems), problems);
    const CountryFile fromCsv = readCtyCsv(asCsv(dat), problems);
    ASSERT_EQ(problems, QStringList());
    EXPECT_EQ(fromCsv.version, QDate(2023, 5, 2));
    EXPECT_EQ(fromCsv.entities.size(), 346);
    const CountryDataFiles a = CountryDataFiles::made(fromDat, {});
    const CountryDataFiles b = CountryDataFiles::made(fromCsv, {});
    for (const QString& name : {PrefixFileLayout::FileName, PrefixFileLayout::ExactCallsFileName,
                                PrefixFileLayout::EntityNumbersFileName}) {
        EXPECT_GT(a.bytes(name).size(), 5000) << qPrintable(name);
        EXPECT_EQ(a.bytes(name), b.bytes(name)) << qPrintable(name);
    }
}

// The program's copy in a folder of its own, the user's beside it.
class CountryUpdate : public ::testing::Test {
protected:
    CountryUpdate() {
        for (const QString& name :
             {PrefixFileLayout::FileName, PrefixFileLayout::ExactCallsFileName,
              PrefixFileLayout::EntityNumbersFileName, CountryVersion::FileName})
            QFile::copy(QDir(PELK_PROGRAM_DIR).filePath(name), folders.program + '/' + name);
    }

    QString served(const QString& path) const { return site.baseAddress() + path; }
    CountryUpdateResult update(const QString& path) {
        return updateFromSite(http, served(path), folders, cancelled);
    }

    QTemporaryDir home;
    CountryFolders folders{home.filePath("programme"), home.filePath("donnees"),
                           home.filePath("debian")};
    bool made = QDir().mkpath(folders.program);
    LoopbackHttpServer site;
    // A silent site is given up after 2 s.
    CurlHttpClient http{{500, 2000, 4 * 1024 * 1024}};
    std::atomic<bool> cancelled{false};
};

TEST_F(CountryUpdate, BadAnswersLeaveTheCopyInUseAndSayWhy) {
    const QByteArray good = thisMonths(bytesOf(PELK_CTY_CSV));
    site.setResponse("/page", {200, "text/html", "<!DOCTYPE html><html>Not Found</html>"});
    site.setResponse("/vide", {200, "text/csv", ""});
    site.setResponse("/rien", {200, "text/csv", "\n\n"});
    site.setResponse("/enorme", {200, "text/csv", QByteArray(11 * 1024 * 1024, 'A')});
    QByteArray noise;
    for (int line = 0; line < 1'000'000; ++line)
        noise += "x,y\n";
    site.setResponse("/bruit", {200, "text/csv", noise});
    site.setResponse(
        "/abime",
        {200, "text/csv",
         QByteArray(good).replace("3A,Monaco,260", "3A").replace("1S,Spratly Islands,247", "1S")});
    site.setResponse("/sans-version", {200, "text/csv", QByteArray(good).replace("=VER", "=VE")});
    site.setResponse("/moitie", {200, "text/csv", good.left(good.indexOf("\nHB,"))});
    site.setCutShort("/coupe", good.left(1000), good.size());
    site.setRedirect("/boucle", "/boucle");
    site.setResponse("/entites", {200, "text/csv", swollen(4654, 0, 0)});
    site.setResponse("/prefixes", {200, "text/csv", swollen(1, 20000, 0)});
    site.setResponse("/indicatifs", {200, "text/csv", swollen(1, 0, 40000)});
    site.setResponse("/amplifie", {200, "text/csv", swollen(1, 100000, 100000)});
    site.setResponse(
        "/futur", {200, "text/csv",
                   QByteArray(good).replace(
                       "=VER" + recentVersion().toString("yyyyMMdd").toLatin1(), "=VER99991231")});
    const std::pair<const char*, QString> cases[] = {
        {"/page", "le site a répondu par une page web, pas par cty.csv"},
        {"/vide", "réponse vide"},
        {"/rien", "aucune entité dans le fichier"},
        {"/enorme", "réponse de plus de 10 Mo"},
        {"/abime", "ligne 2 illisible (et 1 autre erreur)"},
        {"/bruit", "ligne 1 illisible (et 100 autres erreurs)"},
        {"/sans-version", "fichier sans version (=VER)"},
        {"/moitie", "fichier incomplet (150 entités au lieu de 346)"},
        {"/coupe", "téléchargement interrompu"},
        {"/boucle", "trop de redirections"},
        // Far more than the copy in use holds is as suspect as far fewer.
        {"/entites", "fichier suspect (5\u202F000 entités au lieu de 346)"},
        {"/prefixes", "fichier suspect (27\u202F740 préfixes au lieu de 7\u202F738)"},
        {"/indicatifs", "fichier suspect (58\u202F700 indicatifs exacts au lieu de 19\u202F650)"},
        {"/amplifie", "lecture arrêtée après 200\u202F000 préfixes"},
        {"/futur", "fichier daté du 31 décembre 9999, dans plus d'un an"},
    };
    for (const auto& [path, reason] : cases) {
        EXPECT_EQ(update(path).message(), "Mise à jour des pays impossible : " + reason) << path;
        EXPECT_EQ(folders.inUse(), folders.program) << path;
    }
    EXPECT_EQ(updateFromSite(http, "ftp://127.0.0.1/cty.csv", folders, cancelled).reason,
              "adresse ni http ni https");
    // FIFOs in place of the user's files are never opened: nothing hangs.
    ASSERT_TRUE(QDir().mkpath(folders.user));
    for (const QString& name : QDir(folders.program).entryList(QDir::Files))
        ASSERT_EQ(::mkfifo(QFile::encodeName(folders.user + '/' + name).constData(), 0600), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(folders.user + "/Essai_Pays.txt").constData(), 0600), 0);
    EXPECT_EQ(folders.inUse(), folders.program);
    EXPECT_TRUE(siteUpdateDue(folders, QDateTime::currentDateTimeUtc()));
    noteSiteAttempt(folders, QDateTime::currentDateTimeUtc());
    // Nor is a lock that is no regular file, which would hang or fill memory.
    site.setResponse("/cty.csv", {200, "text/csv", good});
    const QString lock = folders.user + "/Pays.lock";
    const QString notALock = "le verrou " + lock + " n'est pas un fichier ordinaire";
    ASSERT_EQ(::mkfifo(QFile::encodeName(lock).constData(), 0600), 0);
    EXPECT_EQ(update("/cty.csv").reason, notALock);
    ASSERT_TRUE(QFile::remove(lock) && QFile::link("/dev/zero", lock));
    EXPECT_EQ(update("/cty.csv").reason, notALock);
    site.setMode(LoopbackHttpServer::Mode::Stall);
    EXPECT_EQ(update("/cty.csv").reason, "pas de réponse en 2 s");
}

TEST_F(CountryUpdate, TwoCopiesUpdatingAtOnceLeaveOneGoodCopy) {
    site.setResponse("/cty.csv", {200, "text/csv", thisMonths(bytesOf(PELK_CTY_CSV))});
    CountryUpdateResult first, second;
    std::thread other([&] { second = update("/cty.csv"); });
    first = update("/cty.csv");
    other.join();
    // One wrote the copy, the other found it already there.
    EXPECT_EQ(int(first.kind) + int(second.kind),
              int(CountryUpdateResult::Kind::Updated) + int(CountryUpdateResult::Kind::Current));
    EXPECT_EQ(folders.inUse(), folders.user);
    QStringList problems;
    const CountryDataFiles expected = CountryDataFiles::made(
        readCtyCsv(QString::fromUtf8(thisMonths(bytesOf(PELK_CTY_CSV))), problems), {});
    EXPECT_EQ(bytesOf(folders.user + "/Prefixe_DXCC.txt"), expected.bytes("Prefixe_DXCC.txt"));
    EXPECT_EQ(QDir(folders.user).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"Indicatifs_DXCC.txt", "Numeros_DXCC.txt", "Prefixe_DXCC.txt",
                           "Version_Pays.txt"}));
    // Asked again, the site's copy is the one in use.
    EXPECT_EQ(update("/cty.csv").message(),
              "Pays déjà à jour : version du " + CountryVersion::frenchDate(recentVersion()));
}

TEST_F(CountryUpdate, AFolderThatCannotTakeTheCopySaysWhyAndWhere) {
    site.setResponse("/cty.csv", {200, "text/csv", thisMonths(bytesOf(PELK_CTY_CSV))});
    const QString cannot =
        "Mise à jour des pays impossible : écriture impossible dans le dossier " + folders.user;
    const QByteArray user = QFile::encodeName(folders.user);
    ASSERT_EQ(::symlink(user.constData(), user.constData()), 0);
    EXPECT_EQ(update("/cty.csv").message(), cannot + " (trop de liens symboliques)");

    // A link to another user's folder; root's rights set aside.
    const QString others = home.filePath("autre");
    ASSERT_TRUE(QDir().mkpath(others) && QFile::remove(folders.user) &&
                QFile::link(others, folders.user));
    ASSERT_EQ(::chmod(QFile::encodeName(others).constData(), 0555), 0);
    overridePermissions(false);
    EXPECT_EQ(update("/cty.csv").message(), cannot + " (permission refusée)");
    overridePermissions(true);

    ASSERT_TRUE(QFile::remove(folders.user) && QDir().mkpath(folders.user));
    if (::mount("tmpfs", user.constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "a full disk needs a small tmpfs, which only root may mount";
    const auto unmount = qScopeGuard([&] { ::umount2(user.constData(), MNT_DETACH); });
    EXPECT_EQ(update("/cty.csv").message(), "Mise à jour des pays impossible : écriture de "
                                            "Indicatifs_DXCC.txt impossible (disque plein)");
    EXPECT_EQ(QDir(folders.user).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList());
    EXPECT_EQ(folders.inUse(), folders.program);
}

TEST_F(CountryUpdate, AGenuineFileIsTakenWhateverCopyIsInUse) {
    const auto updated = [](const QDate& version) {
        return "Pays mis à jour : version du " + CountryVersion::frenchDate(version);
    };
    site.setResponse("/cty.csv", {200, "text/csv", thisMonths(bytesOf(PELK_CTY_CSV))});
    // A forged copy an earlier version let in.
    QStringList problems;
    const CountryFile forged = readCtyCsv(QString::fromUtf8(swollen(4654, 0, 0)), problems);
    for (const QDate date : {QDate(9999, 12, 31), recentVersion().addDays(-1)}) {
        ASSERT_EQ(CountryDataFiles::made(forged, {date, CountryVersion::Origin::Site, "x"})
                      .write(folders.user),
                  std::nullopt);
        EXPECT_EQ(update("/cty.csv").message(), updated(recentVersion()) + " (7\u202F739 préfixes)")
            << qPrintable(date.toString());
    }
    // The site's two flavours of the file, each after the other.
    const QByteArray yesterday = "=VER" + recentVersion().toString("yyyyMMdd").toLatin1();
    site.setResponse(
        "/petit", {200, "text/csv",
                   smallerFlavour().replace(
                       yesterday, "=VER" + QDate::currentDate().toString("yyyyMMdd").toLatin1())});
    EXPECT_TRUE(update("/petit").message().startsWith(updated(QDate::currentDate())));
    site.setResponse(
        "/cty.csv",
        {200, "text/csv",
         thisMonths(bytesOf(PELK_CTY_CSV))
             .replace(yesterday,
                      "=VER" + QDate::currentDate().addDays(1).toString("yyyyMMdd").toLatin1())});
    EXPECT_EQ(update("/cty.csv").message(),
              updated(QDate::currentDate().addDays(1)) + " (7\u202F739 préfixes)");
}

class CountryWindow : public DurerurFixture {
protected:
    void SetUp() override {
        settings.save("Latitude", "48.52N");
        settings.save("Longitude", "2.31E");
        config.setValue(ConfigKey::CountrySite, site.baseAddress() + "/cty.csv");
    }

    // Pays, CQ and ITU after a click on a spot of this callsign.
    QString click(const QString& callsign) {
        Durerur& w = window();
        w.Liste_Stations->addItem(
            QStringLiteral(" 06-DEC  1402Z %1 14025.0 F5XYZ").arg(callsign.leftJustified(13)));
        w.Liste_Stations->setCurrentRow(w.Liste_Stations->count() - 1);
        QCoreApplication::processEvents();
        return w.Pays->text() + '|' + w.CQ->text() + '|' + w.ITU->text();
    }
    // Waits for the start-up's look at the country data to end.
    void waitForStartUpCheck() {
        QSignalSpy ended(&window().countries(), &CountryData::idle);
        ASSERT_TRUE(ended.wait(10000));
    }
    QString aboutCountryLine(ModalCloser& closer) {
        window().Mnu_A_Propos->trigger();
        return closer.texts().last().section("\r\n", 2);
    }

    LoopbackHttpServer site;
};

TEST_F(CountryWindow, TheMenuUpdateCountsAtTheNextClick) {
    // Contacts with Z9AA and Z7AA, of no known country until the updates.
    const QString log = programFolder.filePath("log.adi");
    ASSERT_TRUE(writeFile(log, "<CALL:4>Z9AA<BAND:3>20m<MODE:2>CW<EOR>\n"
                               "<CALL:4>Z7AA<BAND:3>20m<MODE:2>CW<EOR>\n"));
    config.setValue(ConfigKey::AdifLog, log);
    ModalCloser closer;
    waitForStartUpCheck();
    EXPECT_EQ(click("Z9ABC"), "||");
    EXPECT_EQ(click("Z8ABC"), "Republic of South Sudan|34|48");
    EXPECT_EQ(window().Journal->text(), "Nouvelle entité");
    EXPECT_EQ(click("3A2ABC"), "Monaco|14|27");
    EXPECT_EQ(aboutCountryLine(closer), "Pays : cty du 2 mai 2023 (livré avec le programme)");

    // A failure says why and changes nothing.
    window().Mnu_Maj_Pays->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return closer.texts().size() == 2; }, 10000));
    EXPECT_EQ(closer.texts()[1], "Mise à jour des pays impossible : le site répond 404");
    EXPECT_EQ(click("3A2ABC"), "Monaco|14|27");

    site.setResponse("/cty.csv", {200, "text/csv", thisMonths(bytesOf(PELK_CTY_CSV))});
    ASSERT_TRUE(QTest::qWaitFor([&] { return window().Mnu_Maj_Pays->isEnabled(); }, 10000));
    window().Mnu_Maj_Pays->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return closer.texts().size() == 3; }, 10000));
    const QString version = CountryVersion::frenchDate(recentVersion());
    EXPECT_EQ(closer.texts()[2],
              "Pays mis à jour : version du " + version + " (7\u202F739 préfixes)");
    EXPECT_EQ(click("Z9ABC"), "Republic of South Sudan|34|48");
    // The log read again with it: South Sudan is worked.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return click("Z8ABC") == "Republic of South Sudan|34|48" &&
                   window().Journal->text() != "Nouvelle entité";
        },
        5000));
    EXPECT_EQ(click("3A2ABC"), "Monaco|15|28");
    EXPECT_EQ(aboutCountryLine(closer),
              "Pays : cty du " + version + " (téléchargé de " + site.baseAddress() + "/cty.csv)");

    // A later update into the same folder, Z7 now Kosovo's: read again.
    const QString today = QDate::currentDate().toString("yyyyMMdd");
    site.setResponse("/cty.csv",
                     {200, "text/csv",
                      thisMonths(bytesOf(PELK_CTY_CSV))
                          .replace("=VER" + recentVersion().toString("yyyyMMdd").toLatin1(),
                                   "=VER" + today.toLatin1())
                          .replace("-1.0,Z6;", "-1.0,Z6 Z7;")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return window().Mnu_Maj_Pays->isEnabled(); }, 10000));
    window().Mnu_Maj_Pays->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return closer.texts().size() == 5; }, 10000));
    EXPECT_TRUE(closer.texts()[4].startsWith("Pays mis à jour")) << closer.texts()[4].toStdString();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return window().Etat_Journal->text() == "Journal : 2 QSO, 2 entités dont 0 confirmée";
        },
        5000))
        << window().Etat_Journal->text().toStdString();
}

TEST_F(CountryWindow, ClosingTheWindowStopsAnUpdateWaitingForAnotherCopy) {
    site.setResponse("/cty.csv", {200, "text/csv", thisMonths(bytesOf(PELK_CTY_CSV))});
    ASSERT_TRUE(QDir().mkpath(countryFolders().user));
    QLockFile otherCopy(countryFolders().user + "/Pays.lock");
    ASSERT_TRUE(otherCopy.tryLock(0));
    waitForStartUpCheck();
    window().Mnu_Maj_Pays->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !site.requestedPaths().isEmpty(); }, 5000));
    QTest::qWait(500);
    QElapsedTimer closing;
    closing.start();
    closeWindow();
    EXPECT_LT(closing.elapsed(), 1000);
}

TEST_F(CountryWindow, TheNewestOfTheProgramsDebiansAndTheSitesCopyIsUsed) {
    // An old copy in use and a site that fails: tried once, noted in the
    // status line, not tried again the same day.
    config.setValue(ConfigKey::CountryUpdate, "auto");
    window();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window().Etat_Pays->isHidden(); }, 10000));
    EXPECT_EQ(window().Etat_Pays->text(), "Pays : version du 2 mai 2023, mise à jour impossible");
    restart({{"Latitude", "48.52N"}, {"Longitude", "2.31E"}});
    waitForStartUpCheck();
    EXPECT_EQ(site.requestedPaths(), QStringList{"/cty.csv"});

    // After an upgrade of hamradio-files: its copy, without the network.
    const QString debian = countryFolders().debian;
    ASSERT_TRUE(QDir().mkpath(debian));
    ASSERT_TRUE(writeFile(debian + "/cty.dat", thisMonths(bytesOf(PELK_CTY_DAT))));
    ASSERT_TRUE(writeFile(debian + "/cty.csv", thisMonths(bytesOf(PELK_CTY_CSV))));
    closeWindow();
    ModalCloser closer;
    window();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return window().countries().folderInUse() == countryFolders().user; }, 10000));
    EXPECT_EQ(click("3A2ABC"), "Monaco|15|28");
    EXPECT_EQ(aboutCountryLine(closer), "Pays : cty du " +
                                            CountryVersion::frenchDate(recentVersion()) +
                                            " (paquet Debian hamradio-files)");
    EXPECT_EQ(site.requestedPaths(), QStringList{"/cty.csv"});

    // A program upgrade brings newer data than that copy.
    closeWindow();
    QStringList problems;
    const CountryFile newer = readCtyCsv(
        QString::fromUtf8(thisMonths(bytesOf(PELK_CTY_CSV))
                              .replace("3A,Monaco,260,EU,15,28,", "3A,Monaco,260,EU,16,29,")),
        problems);
    ASSERT_EQ(
        CountryDataFiles::made(newer, {QDate::currentDate(), CountryVersion::Origin::Build, {}})
            .write(countryFolders().program),
        std::nullopt);
    waitForStartUpCheck();
    EXPECT_EQ(click("3A2ABC"), "Monaco|16|29");
    EXPECT_EQ(aboutCountryLine(closer), "Pays : cty du " +
                                            CountryVersion::frenchDate(QDate::currentDate()) +
                                            " (livré avec le programme)");
}
