// The log through the main window: each spot line in the colour of what a
// contact would bring, its status in "Journal", "Nouveaux seulement", the
// new-entity sound, and a logger's new contact recolouring the list.
#include "DurerurFixture.h"
#include "LoopbackHttpServer.h"
#include "SpotPageBuilder.h"

namespace {

constexpr int Band14 = 5;

const QByteArray Log = "<CALL:6>JA1XYZ<BAND:3>20m<MODE:2>CW<LOTW_QSL_RCVD:1>Y<EOR>\n"
                       "<CALL:6>DL1XYZ<BAND:3>20m<MODE:3>FT8<EOR>\n";

// The colour of each line by its station and frequency, "" for the usual one.
QMap<QString, QString> colours(const QListWidget& list) {
    QMap<QString, QString> byStation;
    for (int row = 0; row < list.count(); ++row) {
        const QString line = list.item(row)->text();
        const QVariant colour = list.item(row)->data(Qt::ForegroundRole);
        byStation.insert(line.mid(15, 12).trimmed() + ' ' + line.mid(28, 8).trimmed(),
                         colour.isValid() ? colour.value<QColor>().name() : QString());
    }
    return byStation;
}

} // namespace

using LogWindow = DurerurFixture;

TEST_F(LogWindow, EachSpotIsMarkedByWhatAContactWouldBringAndFollowsTheLog) {
    // A ";" in its name, the file named again through a link and "../": read
    // once.
    const QString logPath = programFolder.filePath(QStringLiteral("wsjtx;log.adi"));
    ASSERT_TRUE(writeFile(logPath, Log));
    const QString link = programFolder.filePath(QStringLiteral("link.adi"));
    ASSERT_TRUE(QFile::link(logPath, link));
    ASSERT_TRUE(QDir(programFolder.path()).mkdir(QStringLiteral("sub")));
    LoopbackHttpServer site;
    site.setPage(QStringLiteral("/dxc/top_50_14_MHz.html"),
                 spotPageHtml(spotRowHtml(testSpot("VK2AAA", "14025.0", "CQ DX")) +
                              spotRowHtml(testSpot("JA3AAA", "14025.0", "CQ DX")) +
                              spotRowHtml(testSpot("JA3AAA", "14074.0", "FT8")) +
                              spotRowHtml(testSpot("DL3AAA", "14074.0", "FT8"))));
    config.setSpotSite(site.baseAddress());
    config.setValue(ConfigKey::AdifLog, QString(logPath).replace(";", "\\;") + ';' + link + "; " +
                                            programFolder.path() + "/./sub/../wsjtx\\;log.adi");
    settings.save(QStringLiteral("Latitude"), QStringLiteral("48.52N"));
    settings.save(QStringLiteral("Longitude"), QStringLiteral("2.31E"));
    // Whether the log's status comes to read `text` in the time a change takes.
    const auto statusBecomes = [](Durerur& w, const char* text) {
        return QTest::qWaitFor([&] { return w.Etat_Journal->text() == QString::fromUtf8(text); },
                               1500);
    };

    Durerur& w = window();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.Etat_Journal->text().isEmpty(); }, 5000));
    w.Bande_CL->setCurrentIndex(Band14);
    w.Afficher->click();
    EXPECT_EQ(w.Etat_Journal->text(), "Journal : 2 QSO, 2 entités dont 1 confirmée");
    const QString red = "#c00000", green = "#008000", blue = "#0000c0";
    EXPECT_EQ(colours(*w.Liste_Stations), (QMap<QString, QString>{{"VK2AAA 14025.0", red},
                                                                  {"JA3AAA 14025.0", ""},
                                                                  {"JA3AAA 14074.0", green},
                                                                  {"DL3AAA 14074.0", blue}}));
    EXPECT_EQ(counting.played, 1); // the new entity
    w.Afficher->click();
    EXPECT_EQ(counting.played, 1); // no new entity since

    // "Nouveaux seulement" keeps all but the confirmed one, and is kept.
    w.Check5->click();
    EXPECT_EQ(w.Liste_Stations->count(), 3);
    EXPECT_TRUE(readAll(Configuration::userFile()).contains("needed_only = yes"));

    // A contact logged elsewhere recolours its spot without a fetch.
    site.setPage(QStringLiteral("/dxc/top_50_14_MHz.html"), spotPageHtml(""));
    QFile log(logPath);
    ASSERT_TRUE(log.open(QIODevice::Append));
    log.write("<CALL:6>VK2XYZ<BAND:3>20m<MODE:2>CW<QSL_RCVD:1>Y<EOR>\n");
    log.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.Liste_Stations->count() == 2; }, 1500));
    EXPECT_EQ(w.Etat_Journal->text(), "Journal : 3 QSO, 3 entités dont 2 confirmées");

    // An export rewriting the same file in place, longer (every contact
    // confirmed), then at the same size (one confirmation withdrawn).
    QByteArray exported = readAll(logPath).toUtf8();
    exported.replace("FT8<EOR>", "FT8<QSL_RCVD:1>Y<EOR>");
    ASSERT_TRUE(writeFile(logPath, exported));
    EXPECT_TRUE(statusBecomes(w, "Journal : 3 QSO, 3 entités dont 3 confirmées"));
    ASSERT_TRUE(writeFile(logPath, exported.replace("<QSL_RCVD:1>Y", "<QSL_RCVD:1>N")));
    EXPECT_TRUE(statusBecomes(w, "Journal : 3 QSO, 3 entités dont 1 confirmée"));

    // An export replacing the log by a shorter one.
    w.Check5->click();
    ASSERT_TRUE(writeFile(logPath + ".new", "<CALL:6>JA1XYZ<BAND:3>20m<MODE:2>CW<EOR>\n"));
    ASSERT_TRUE(::rename(QFile::encodeName(logPath + ".new").constData(),
                         QFile::encodeName(logPath).constData()) == 0);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return colours(*w.Liste_Stations).value("DL3AAA 14074.0") == red; }, 1500));
    EXPECT_EQ(colours(*w.Liste_Stations).value("JA3AAA 14025.0"), blue);
}
