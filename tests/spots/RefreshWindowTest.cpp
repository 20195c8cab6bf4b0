#include "DurerurFixture.h"
#include "Fixtures.h"
#include "LoopbackHttpServer.h"
#include "SoundCapture.h"
#include "SpotServerProcess.h"
#include "SpotTexts.h"

#include "QtPrinters.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

const QString Page14 = QStringLiteral("/dxc/top_50_14_MHz.html");
const QString Page7 = QStringLiteral("/dxc/top_50_7_MHz.html");
const QColor Green(192, 255, 192);

QStringList linesOf(const QListWidget& list) {
    QStringList lines;
    for (int i = 0; i < list.count(); ++i)
        lines.append(list.item(i)->text());
    return lines;
}

QStringList dxOf(const QListWidget& list) {
    QStringList dxs;
    for (const QString& line : linesOf(list))
        dxs.append(line.mid(15, 12).trimmed());
    return dxs;
}

QColor colourOf(const QPushButton* button) {
    return button->palette().color(QPalette::Button);
}

} // namespace

class RefreshWindowTest : public DurerurFixture {
protected:
    void SetUp() override {
        server.setPage(Page14, fixturePage(QStringLiteral("spots_columns.html")));
        server.setPage(Page7, fixturePage(QStringLiteral("spots_order.html")));
        config.setSpotSite(server.baseAddress());
    }

    // The window on 14 MHz, with a second band or "Sans".
    Durerur& windowOn(int second = 0) {
        Durerur& w = window();
        w.Bande_CL->setCurrentIndex(5);
        w.Bande_CL2->setCurrentIndex(second);
        return w;
    }

    QByteArray played() const {
        QFile capture(soundCapture());
        return capture.open(QIODevice::ReadOnly) ? capture.readAll() : QByteArray();
    }
    QByteArray samplesOf(const QString& sound) const {
        return SoundCapture::wavSamples(directory.file(sound));
    }

    LoopbackHttpServer server;
    ModalCloser closer;
};

TEST_F(RefreshWindowTest, AfficherShowsTheSpotsAndSavesTheBands) {
    Durerur& w = windowOn();
    EXPECT_TRUE(w.QTR->text().isEmpty());
    w.Afficher->click();

    EXPECT_EQ(server.requestedPaths(), QStringList{Page14});
    EXPECT_EQ(linesOf(*w.Liste_Stations),
              (QStringList{
                  " 06 DEC 14:09Z TK5EP         21074.0 ON4ABC      ",
                  " 06 DEC 14:08Z JA1ABC         7012.5 W1AW        CQ &P;DX 599 &",
                  " 06 DEC 14:07Z VP2V/DL1ABCD 144300.0 EA8/G4XYZ/P TNX QSO &; 73",
                  " 06 DEC 14:05Z F5ABC         14025.0 DL1XYZ      <QSL> VIA BURO",
              }));
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d TU$")).match(w.QTR->text()).hasMatch())
        << w.QTR->text().toStdString();
    EXPECT_TRUE(w.Timer2->isActive());
    EXPECT_EQ(w.Timer2->interval(), 60000);
    EXPECT_TRUE(w.Afficher->isEnabled());
    EXPECT_TRUE(w.Patientez->isHidden());
    EXPECT_TRUE(state.Page_Prete);
    EXPECT_EQ(stored(QStringLiteral("bande Durerur")), QStringLiteral("5"));
    EXPECT_EQ(stored(QStringLiteral("bande Durerur 1")), QStringLiteral("0"));
    EXPECT_TRUE(closer.texts().isEmpty());
    EXPECT_TRUE(QFile::exists(directory.file(QStringLiteral("Dedirad1.txt"))));
    EXPECT_FALSE(QFile::exists(directory.file(QStringLiteral("Temp1.txt"))));
}

TEST_F(RefreshWindowTest, TwoBandsMergeAndEachSortButtonFetchesInItsOrder) {
    Durerur& w = windowOn(3);
    w.Afficher->click();
    EXPECT_EQ(dxOf(*w.Liste_Stations), (QStringList{"TK5EP", "K3LR", "JA1ABC", "VP2V/DL1ABCD",
                                                    "ZL1ABC", "F5ABC", "DL1ABC", "9A2AB"}));
    EXPECT_EQ(stored(QStringLiteral("bande Durerur 1")), QStringLiteral("3"));

    w.Tri_DX->click();
    EXPECT_EQ(state.Mode_Tri, 2);
    EXPECT_EQ(server.requestedPaths().size(), 4);
    EXPECT_EQ(dxOf(*w.Liste_Stations), (QStringList{"9A2AB", "DL1ABC", "F5ABC", "JA1ABC", "K3LR",
                                                    "TK5EP", "VP2V/DL1ABCD", "ZL1ABC"}));
    EXPECT_EQ(colourOf(w.Tri_DX), Green);
    EXPECT_NE(colourOf(w.Tri_Date), Green);
    EXPECT_NE(colourOf(w.Tri_QRG), Green);

    w.Tri_QRG->click();
    EXPECT_EQ(server.requestedPaths().size(), 6);
    // 1823.5, 7012.5, 14025.0 (twice), 21074.0, 28020.0, 144300.0 (twice).
    EXPECT_EQ(dxOf(*w.Liste_Stations), (QStringList{"DL1ABC", "JA1ABC", "F5ABC", "ZL1ABC", "TK5EP",
                                                    "K3LR", "9A2AB", "VP2V/DL1ABCD"}));

    w.Tri_Date->click();
    EXPECT_EQ(dxOf(*w.Liste_Stations).first(), QStringLiteral("TK5EP"));
    EXPECT_EQ(colourOf(w.Tri_Date), Green);
    EXPECT_EQ(colourOf(w.Tri_QRG), colourOf(w.Tri_DX));
}

TEST_F(RefreshWindowTest, ASiteThatDoesNotAnswerLeavesTheTimerOffUntilAfficherSucceeds) {
    Durerur& w = windowOn();
    w.Afficher->click();
    const QString lastUpdate = w.QTR->text();
    const QStringList shown = linesOf(*w.Liste_Stations);

    server.setResponse(Page14, {500, "text/html", "server error"});
    w.Tri_DX->click();
    EXPECT_EQ(closer.texts(), QStringList{SpotTexts::NoAnswer});
    EXPECT_EQ(closer.titles(), QStringList{QStringLiteral("Pelk_Dedirad")});
    EXPECT_EQ(played(), samplesOf(SpotTexts::NoAnswerSound));
    EXPECT_FALSE(w.Timer2->isActive());
    EXPECT_TRUE(w.Afficher->isEnabled());
    EXPECT_TRUE(w.Patientez->isHidden());
    EXPECT_EQ(w.QTR->text(), lastUpdate);
    EXPECT_TRUE(w.Liste_Stations->count() == 0);
    EXPECT_FALSE(state.Page_Prete);

    // No page came: sort buttons and filter boxes only change their state.
    w.Tri_QRG->click();
    w.Check1->click();
    EXPECT_EQ(state.Mode_Tri, 3);
    EXPECT_EQ(colourOf(w.Tri_QRG), Green);
    EXPECT_EQ(server.requestedPaths().size(), 2);

    server.setPage(Page14, fixturePage(QStringLiteral("spots_columns.html")));
    w.Afficher->click();
    EXPECT_TRUE(w.Timer2->isActive());
    EXPECT_TRUE(state.Page_Prete);
    // Check1 stayed checked: French stations only, by frequency.
    EXPECT_EQ(dxOf(*w.Liste_Stations), (QStringList{"F5ABC", "TK5EP"}));
    EXPECT_NE(linesOf(*w.Liste_Stations), shown);
}

TEST_F(RefreshWindowTest, ARefusedConnectionIsNoAnswer) {
    config.setSpotSite(QStringLiteral("http://127.0.0.1:%1").arg(LoopbackHttpServer::closedPort()));
    Durerur& w = windowOn();
    w.Afficher->click();
    EXPECT_EQ(closer.texts(), QStringList{SpotTexts::NoAnswer});
    EXPECT_FALSE(w.Timer2->isActive());
    EXPECT_TRUE(w.QTR->text().isEmpty());
}

TEST_F(RefreshWindowTest, FilterBoxesRefreshEmptyTheMemoryAndSaveTheirText) {
    Durerur& w = windowOn();
    w.Afficher->click();
    w.Liste_Stations->setCurrentRow(0);
    w.Memoriser->click();
    ASSERT_EQ(w.memoryWindow()->Mem_Dedirad->count(), 1);

    w.Indicatif->setText(QStringLiteral("F"));
    w.Check1->click();
    EXPECT_EQ(w.memoryWindow()->Mem_Dedirad->count(), 0);
    EXPECT_EQ(dxOf(*w.Liste_Stations), (QStringList{"TK5EP", "F5ABC"}));
    EXPECT_FALSE(storedKeys().contains(QStringLiteral("Tri_Call")));

    w.Check2->click();
    // F5ABC passes both filters and shows twice.
    EXPECT_EQ(dxOf(*w.Liste_Stations), (QStringList{"TK5EP", "F5ABC", "F5ABC"}));
    EXPECT_EQ(stored(QStringLiteral("Tri_Call")), QStringLiteral("F"));

    w.Remarque->setText(QStringLiteral("VIA"));
    w.Check4->click();
    EXPECT_EQ(dxOf(*w.Liste_Stations), (QStringList{"TK5EP", "F5ABC", "F5ABC", "F5ABC"}));
    EXPECT_EQ(stored(QStringLiteral("Tri_Rem")), QStringLiteral("VIA"));
    EXPECT_EQ(server.requestedPaths().size(), 4);
}

TEST_F(RefreshWindowTest, EnterInAFilterTextRefreshesUnlessTheTextIsEmpty) {
    Durerur& w = windowOn();
    state.Page_Prete = false;
    QTest::keyClick(w.Indicatif, Qt::Key_Return);
    QTest::keyClick(w.Remarque, Qt::Key_Enter);
    EXPECT_EQ(closer.texts(), (QStringList{SpotTexts::EnterCallsign, SpotTexts::EnterText}));
    EXPECT_TRUE(server.requestedPaths().isEmpty());

    // Typed letters go in as capitals; other characters as typed.
    QTest::keyClicks(w.Indicatif, QStringLiteral("tk5/"));
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QStringLiteral("é"));
    QApplication::sendEvent(w.Indicatif, &accented);
    EXPECT_EQ(w.Indicatif->text(), QStringLiteral("TK5/é"));
    w.Indicatif->setText(QStringLiteral("TK"));
    w.Check2->setChecked(true);
    QTest::keyClick(w.Indicatif, Qt::Key_Return);
    EXPECT_EQ(server.requestedPaths(), QStringList{Page14});
    EXPECT_EQ(dxOf(*w.Liste_Stations), QStringList{"TK5EP"});
    // Enter saves no setting.
    EXPECT_FALSE(storedKeys().contains(QStringLiteral("Tri_Call")));
    EXPECT_FALSE(storedKeys().contains(QStringLiteral("bande Durerur")));
}

TEST_F(RefreshWindowTest, TheTimerTickEmptiesTheDetailsAndRefreshes) {
    Durerur& w = windowOn();
    server.setResponse(Page14, {500, "text/html", ""});
    const QList<QLineEdit*> details{w.Pref, w.Pays, w.CQ, w.Cont, w.Dec, w.ITU, w.QRB, w.Azi};
    for (QLineEdit* field : details)
        field->setText(QStringLiteral("x"));
    w.Timer2->setInterval(20);
    w.Timer2->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !closer.texts().isEmpty(); }, 5000));
    for (QLineEdit* field : details)
        EXPECT_TRUE(field->text().isEmpty()) << field->objectName().toStdString();
    EXPECT_EQ(server.requestedPaths(), QStringList{Page14});
    EXPECT_FALSE(w.Timer2->isActive());
}

TEST_F(RefreshWindowTest, TestAlertePlaysTheAlertSound) {
    Durerur& w = windowOn();
    w.Test_alerte->click();
    EXPECT_EQ(played(), samplesOf(SpotTexts::AlertSound));
    EXPECT_TRUE(server.requestedPaths().isEmpty());
}

TEST_F(RefreshWindowTest, AfficherShowsFiftySpotsFromTheSpotPageServer) {
    SpotServerProcess spotServer;
    ASSERT_FALSE(spotServer.site().isEmpty());
    config.setSpotSite(spotServer.site());
    Durerur& w = windowOn();
    w.Afficher->click();
    ASSERT_EQ(w.Liste_Stations->count(), 50);
    const QRegularExpression spotLine(
        QStringLiteral("^ \\d\\d [A-Z]{3} \\d\\d:\\d\\dZ [^ ].{11}  14\\d{3}\\.\\d [^ ].{10} "));
    for (const QString& line : linesOf(*w.Liste_Stations))
        EXPECT_TRUE(spotLine.match(line).hasMatch()) << line.toStdString();
    EXPECT_TRUE(w.Timer2->isActive());
    EXPECT_TRUE(closer.texts().isEmpty());
}
