// A click on a spot line in the main window: the details panel.

#include "DurerurFixture.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>

namespace {

// A spot line: a blank, date (13), blank, DX (12), blank, QRG (8), blank,
// spotter (11), blank, remark.
QString spotLine(const char* dx) {
    return QStringLiteral(" 06-DEC  1402Z ") + QString::fromUtf8(dx).leftJustified(12) +
           QStringLiteral("  14025.0 F5XYZ       CQ DX");
}

class SpotSelection : public DurerurFixture {
protected:
    // The own position as the station window stores it.
    void startAt(const char* latitude, const char* longitude) {
        restart({{"Latitude", latitude}, {"Longitude", longitude}});
    }

    void addSpots(std::initializer_list<const char*> callsigns) {
        for (const char* dx : callsigns)
            window().Liste_Stations->addItem(spotLine(dx));
    }

    void click(int row) {
        window().Liste_Stations->setCurrentRow(row);
        QCoreApplication::processEvents();
    }

    // Pref, Pays, Cont, CQ, Dec, ITU, QRB and Azi, joined by "|".
    std::string panel() {
        Durerur& w = window();
        QStringList texts;
        for (const QLineEdit* box : {w.Pref, w.Pays, w.Cont, w.CQ, w.Dec, w.ITU, w.QRB, w.Azi})
            texts.append(box->text());
        return texts.join(QLatin1Char('|')).toStdString();
    }
};

} // namespace

TEST_F(SpotSelection, ClickFillsThePanelFromTheGeneratedPrefixFile) {
    startAt("48.52N", "2.31E");
    addSpots({"VK2ABC", "W1AW/P"});

    click(0);
    EXPECT_EQ(state.Ligne_Selection, spotLine("VK2ABC"));
    EXPECT_EQ(panel(), "VK|Australia|Océanie|30|+10|59| 14868 Km| 75°");

    // North-west of the own station: a heading, no longer dashes.
    click(1);
    EXPECT_EQ(panel(), "W|United States of America|Amérique du Nord|5|-5|8| 7253 Km| 299°");
}

TEST_F(SpotSelection, CallsignWithoutPrefixRecordEmptiesThePanel) {
    startAt("48.52N", "2.31E");
    addSpots({"VK2ABC", "QQ1QQQ"});
    click(0);
    click(1);
    EXPECT_EQ(state.Ligne_Selection, spotLine("QQ1QQQ"));
    EXPECT_EQ(panel(), "|||||| 0 Km| 0°");
}

TEST_F(SpotSelection, MessageOnlyWhenNeitherCoordinateIsEntered) {
    ModalCloser closer;
    window();
    state.Ligne_Selection = QStringLiteral("earlier");
    addSpots({"VK2ABC"});
    click(0);
    EXPECT_EQ(closer.texts(),
              QStringList{QString::fromUtf8("Vous devez entrer votre longitude et "
                                            "latitude dans le menu 'Coordonnées'")});
    EXPECT_EQ(closer.titles(), QStringList{"Pelk_Dedirad"});
    EXPECT_EQ(state.Ligne_Selection, "earlier");
    EXPECT_EQ(panel(), "|||||||");

    // Clearing the list selects no line: nothing happens, not even the message.
    window().Liste_Stations->clear();
    QCoreApplication::processEvents();
    EXPECT_EQ(closer.texts().size(), 1);

    // On the equator only the latitude is "0.00": that is enough.
    startAt("0.00N", "2.31E");
    ASSERT_EQ(state.Latitude_Station, "0.00");
    addSpots({"VK2ABC"});
    click(0);
    EXPECT_EQ(closer.texts().size(), 1);
    EXPECT_EQ(panel(), "VK|Australia|Océanie|30|+10|59| 14018 Km| 119°");

    window().Liste_Stations->clear();
    QCoreApplication::processEvents();
    EXPECT_EQ(panel(), "VK|Australia|Océanie|30|+10|59| 14018 Km| 119°");
}
