// The country data: made alike from cty.dat and cty.csv, updated from the
// site and from Debian's package, and what a bad answer leaves in use.
#include "CountryDataFiles.h"
#include "CountryUpdate.h"
#include "CurlHttpClient.h"
#include "DurerurFixture.h"
#include "LoopbackHttpServer.h"
#include "PrefixFileLayout.h"

#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// A recent version, as this month's country file has.
QDate recentVersion() {
    return QDate::currentDate().addDays(-1);
}

// The build's country file (cty.csv unless told) with this month's changes:
// a new prefix Z9 for South Sudan, Monaco in CQ zone 15 and ITU zone 28.
QByteArray thisMonths(QDate version = recentVersion(), const char* path = PELK_CTY_CSV) {
    QByteArray text = readAll(path).toUtf8();
    text.replace("=VER20230502", "=VER" + version.toString("yyyyMMdd").toLatin1());
    text.replace("Z8 =ST0R;", "Z8 Z9 =ST0R;");
    text.replace("3A,Monaco,260,EU,14,27,", "3A,Monaco,260,EU,15,28,");
    text.replace("    Z8,=ST0R;", "    Z8,Z9,=ST0R;");
    text.replace("Monaco:                   14:  27:", "Monaco:                   15:  28:");
    return text;
}

// This month's cty.csv with `entities` more entities, each holding a prefix,
// `prefixes` more and `calls` exact calls: a forged or amplified file.
QByteArray swollen(int entities, int prefixes, int calls) {
    QByteArray text = thisMonths();
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

// Writes into `folder` the country data made from this cty.csv.
void writeCopy(const QByteArray& csv, const CountryVersion& version, const QString& folder) {
    QStringList problems;
    const CountryFile file = readCtyCsv(QString::fromUtf8(csv), problems);
    ASSERT_EQ(CountryDataFiles::made(file, version).write(folder), std::nullopt);
}

} // namespace

// The program's copy in a folder of its own, the user's beside it.
class CountryUpdate : public ::testing::Test {
protected:
    CountryUpdate() {
        for (const QString& name :
             {PrefixFileLayout::FileName, PrefixFileLayout::ExactCallsFileName,
              PrefixFileLayout::EntityNumbersFileName, CountryVersion::FileName})
            QFile::copy(QDir(PELK_PROGRAM_DIR).filePath(name), folders.program + '/' + name);
    }

    CountryUpdateResult update(const QString& path) {
        return updateFromSite(http, site.baseAddress() + path, folders, cancelled);
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
    const QByteArray good = thisMonths();
    QByteArray noise;
    for (int line = 0; line < 1'000'000; ++line)
        noise += "x,y\n";
    site.setCutShort("/coupe", good.left(1000), good.size());
    site.setRedirect("/boucle", "/boucle");
    // What the site answers (none: set above), and why it is refused.
    const std::tuple<const char*, QByteArray, QString> cases[] = {
        {"/page", "<!DOCTYPE html><html>Not Found</html>",
         "le site a répondu par une page web, pas par cty.csv"},
        {"/vide", "", "réponse vide"},
        {"/rien", "\n\n", "aucune entité dans le fichier"},
        {"/enorme", QByteArray(11 * 1024 * 1024, 'A'), "réponse de plus de 10 Mo"},
        {"/abime",
         QByteArray(good).replace("3A,Monaco,260", "3A").replace("1S,Spratly Islands,247", "1S"),
         "ligne 2 illisible (et 1 autre erreur)"},
        {"/bruit", noise, "ligne 1 illisible (et 100 autres erreurs)"},
        {"/sans-version", QByteArray(good).replace("=VER", "=VE"), "fichier sans version (=VER)"},
        {"/moitie", good.left(good.indexOf("\nHB,")),
         "fichier incomplet (150 entités au lieu de 346)"},
        {"/coupe", {}, "téléchargement interrompu"},
        {"/boucle", {}, "trop de redirections"},
        // Far more than the copy in use holds is as suspect as far fewer.
        {"/entites", swollen(4654, 0, 0), "fichier suspect (5\u202F000 entités au lieu de 346)"},
        {"/prefixes", swollen(1, 20000, 0),
         "fichier suspect (27\u202F740 préfixes au lieu de 7\u202F738)"},
        {"/indicatifs", swollen(1, 0, 40000),
         "fichier suspect (58\u202F700 indicatifs exacts au lieu de 19\u202F650)"},
        {"/amplifie", swollen(1, 100000, 100000), "lecture arrêtée après 200\u202F000 préfixes"},
        {"/futur", thisMonths(QDate(9999, 12, 31)),
         "fichier daté du 31 décembre 9999, dans plus d'un an"},
    };
    for (const auto& [path, body, reason] : cases) {
        if (!body.isNull())
            site.setResponse(path, {200, "text/csv", body});
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
    site.setResponse("/cty.csv", {200, "text/csv", thisMonths()});
    CountryUpdateResult first, second;
    std::thread other([&] { second = update("/cty.csv"); });
    first = update("/cty.csv");
    other.join();
    // One wrote the copy, the other found it already there.
    EXPECT_EQ(int(first.kind) + int(second.kind),
              int(CountryUpdateResult::Kind::Updated) + int(CountryUpdateResult::Kind::Current));
    EXPECT_EQ(folders.inUse(), folders.user);
    EXPECT_EQ(QDir(folders.user).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"Indicatifs_DXCC.txt", "Numeros_DXCC.txt", "Prefixe_DXCC.txt",
                           "Version_Pays.txt"}));
    // Asked again, the site's copy is the one in use.
    EXPECT_EQ(update("/cty.csv").message(),
              "Pays déjà à jour : version du " + CountryVersion::frenchDate(recentVersion()));
}

TEST_F(CountryUpdate, AFolderThatCannotTakeTheCopySaysWhyAndWhere) {
    site.setResponse("/cty.csv", {200, "text/csv", thisMonths()});
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
    site.setResponse("/cty.csv", {200, "text/csv", thisMonths()});
    // A forged copy an earlier version let in.
    for (const QDate date : {QDate(9999, 12, 31), recentVersion().addDays(-1)}) {
        writeCopy(swollen(4654, 0, 0), {date, CountryVersion::Origin::Site, "x"}, folders.user);
        EXPECT_EQ(update("/cty.csv").message(), updated(recentVersion()) + " (7\u202F739 préfixes)")
            << qPrintable(date.toString());
    }
    // The site's two flavours of the file, each after the other: the smaller
    // one keeps each entity's first prefix and no exact call.
    const QRegularExpression laterTokens(" (?!=VER)[^ ;,\n]+(?=[^,\n]*;)");
    site.setResponse(
        "/petit",
        {200, "text/csv", QString(thisMonths(QDate::currentDate())).remove(laterTokens).toUtf8()});
    EXPECT_TRUE(update("/petit").message().startsWith(updated(QDate::currentDate())));
    site.setResponse("/cty.csv", {200, "text/csv", thisMonths(QDate::currentDate().addDays(1))});
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

    // Pref, Pays, Cont, CQ, Dec, ITU, QRB and Azi after a click on a spot of
    // this callsign.
    QString click(const QString& callsign) {
        Durerur& w = window();
        w.Liste_Stations->addItem(
            QStringLiteral(" 06-DEC  1402Z %1 14025.0 F5XYZ").arg(callsign.leftJustified(13)));
        w.Liste_Stations->setCurrentRow(w.Liste_Stations->count() - 1);
        QCoreApplication::processEvents();
        QStringList texts;
        for (const QLineEdit* box : {w.Pref, w.Pays, w.Cont, w.CQ, w.Dec, w.ITU, w.QRB, w.Azi})
            texts.append(box->text());
        return texts.join('|');
    }
    // Waits for the start-up's look at the country data to end.
    void waitForStartUpCheck() {
        QSignalSpy ended(&window().countries(), &CountryData::idle);
        ASSERT_TRUE(ended.wait(10000));
    }
    // What the menu "Mise à jour pays" answers once it may be used again.
    QString menuUpdate(ModalCloser& closer) {
        const qsizetype before = closer.texts().size();
        EXPECT_TRUE(QTest::qWaitFor([&] { return window().Mnu_Maj_Pays->isEnabled(); }, 10000));
        window().Mnu_Maj_Pays->trigger();
        EXPECT_TRUE(QTest::qWaitFor([&] { return closer.texts().size() > before; }, 10000));
        return closer.texts().value(before);
    }
    QString aboutCountryLine(ModalCloser& closer) {
        window().Mnu_A_Propos->trigger();
        return closer.texts().last().section("\r\n", -1);
    }

    LoopbackHttpServer site;
};

TEST_F(CountryWindow, TheMenuUpdateCountsAtTheNextClickAndClosingStopsItsWait) {
    // Contacts with Z9AA and Z7AA, of no known country until the updates.
    const QString log = programFolder.filePath("log.adi");
    ASSERT_TRUE(writeFile(log, "<CALL:4>Z9AA<BAND:3>20m<MODE:2>CW<EOR>\n"
                               "<CALL:4>Z7AA<BAND:3>20m<MODE:2>CW<EOR>\n"));
    config.setValue(ConfigKey::AdifLog, log);
    ModalCloser closer;
    waitForStartUpCheck();
    const QString sudan = "|Republic of South Sudan|Afrique|34|+3|48| 5591 Km| 140°";
    EXPECT_EQ(click("Z9ABC"), "|||||| 0 Km| 0°");
    EXPECT_EQ(click("Z8ABC"), "Z8" + sudan);
    EXPECT_EQ(window().Journal->text(), "Nouvelle entité");
    EXPECT_EQ(click("3A2ABC"), "3A|Monaco|Europe|14|+1|27| 661 Km| 141°");

    // A failure says why and changes nothing.
    EXPECT_EQ(menuUpdate(closer), "Mise à jour des pays impossible : le site répond 404");
    EXPECT_EQ(click("3A2ABC"), "3A|Monaco|Europe|14|+1|27| 661 Km| 141°");

    site.setResponse("/cty.csv", {200, "text/csv", thisMonths()});
    const QString version = CountryVersion::frenchDate(recentVersion());
    EXPECT_EQ(menuUpdate(closer),
              "Pays mis à jour : version du " + version + " (7\u202F739 préfixes)");
    EXPECT_EQ(click("Z9ABC"), "Z9" + sudan);
    // The log read again with it: South Sudan is worked.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return click("Z8ABC") == "Z8" + sudan && window().Journal->text() != "Nouvelle entité";
        },
        5000));
    EXPECT_EQ(click("3A2ABC"), "3A|Monaco|Europe|15|+1|28| 661 Km| 141°");
    EXPECT_EQ(aboutCountryLine(closer),
              "Pays : cty du " + version + " (téléchargé de " + site.baseAddress() + "/cty.csv)");

    // A later update into the same folder, Z7 now Kosovo's: read again.
    site.setResponse(
        "/cty.csv",
        {200, "text/csv", thisMonths(QDate::currentDate()).replace("-1.0,Z6;", "-1.0,Z6 Z7;")});
    EXPECT_TRUE(menuUpdate(closer).startsWith("Pays mis à jour"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return window().Etat_Journal->text() == "Journal : 2 QSO, 2 entités dont 0 confirmée";
        },
        5000))
        << window().Etat_Journal->text().toStdString();

    // Closing the window stops an update waiting for another copy's lock.
    QLockFile otherCopy(countryFolders().user + "/Pays.lock");
    ASSERT_TRUE(otherCopy.tryLock(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window().Mnu_Maj_Pays->isEnabled(); }, 10000));
    const qsizetype asked = site.requestedPaths().size();
    window().Mnu_Maj_Pays->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return site.requestedPaths().size() > asked; }, 5000));
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
    // Neither coordinate entered: no panel, but a message.
    ModalCloser closer;
    restart({});
    waitForStartUpCheck();
    EXPECT_EQ(site.requestedPaths(), QStringList{"/cty.csv"});
    EXPECT_EQ(click("3A2ABC"), "|||||||");
    EXPECT_EQ(closer.texts(), QStringList{"Vous devez entrer votre longitude et latitude dans le "
                                          "menu 'Coordonnées'"});

    // After an upgrade of hamradio-files: its copy, without the network.
    const QString debian = countryFolders().debian;
    ASSERT_TRUE(QDir().mkpath(debian));
    ASSERT_TRUE(writeFile(debian + "/cty.dat", thisMonths(recentVersion(), PELK_CTY_DAT)));
    ASSERT_TRUE(writeFile(debian + "/cty.csv", thisMonths()));
    // On the equator only the latitude is "0.00": that is enough.
    restart({{"Latitude", "0.00N"}, {"Longitude", "2.31E"}});
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return window().countries().folderInUse() == countryFolders().user; }, 10000));
    EXPECT_EQ(click("3A2ABC"), "3A|Monaco|Europe|15|+1|28| 4888 Km| 5°");
    EXPECT_EQ(aboutCountryLine(closer), "Pays : cty du " +
                                            CountryVersion::frenchDate(recentVersion()) +
                                            " (paquet Debian hamradio-files)");
    EXPECT_EQ(site.requestedPaths(), QStringList{"/cty.csv"});

    // A program upgrade brings newer data than that copy.
    closeWindow();
    writeCopy(thisMonths().replace("3A,Monaco,260,EU,15,28,", "3A,Monaco,260,EU,16,29,"),
              {QDate::currentDate(), CountryVersion::Origin::Build, {}}, countryFolders().program);
    waitForStartUpCheck();
    EXPECT_EQ(click("3A2ABC"), "3A|Monaco|Europe|16|+1|29| 4888 Km| 5°");
    EXPECT_EQ(aboutCountryLine(closer), "Pays : cty du " +
                                            CountryVersion::frenchDate(QDate::currentDate()) +
                                            " (livré avec le programme)");
}
