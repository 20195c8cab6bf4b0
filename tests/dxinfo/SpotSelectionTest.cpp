#include "DurerurFixture.h"
#include "Station.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using SpotSelection = DurerurFixture;

TEST_F(SpotSelection, PanelOrCoordinatesMessage) {
    // Pref, Pays, Cont, CQ, Dec, ITU, QRB and Azi after clicking a VK2ABC spot.
    const auto click = [this] {
        Durerur& w = window();
        w.Liste_Stations->addItem(QStringLiteral(" 06-DEC  1402Z VK2ABC        14025.0 F5XYZ"));
        w.Liste_Stations->setCurrentRow(w.Liste_Stations->count() - 1);
        QCoreApplication::processEvents();
        QStringList texts;
        for (const QLineEdit* box : {w.Pref, w.Pays, w.Cont, w.CQ, w.Dec, w.ITU, w.QRB, w.Azi})
            texts.append(box->text());
        return texts.join(QLatin1Char('|')).toStdString();
    };
    // Neither coordinate entered: both read "0.00".
    ModalCloser closer;
    EXPECT_EQ(click(), "|||||||");
    EXPECT_EQ(closer.texts(),
              QStringList{QString::fromUtf8("Vous devez entrer votre longitude et "
                                            "latitude dans le menu 'Coordonnées'")});
    // On the equator only the latitude is "0.00": that is enough.
    restart({{"Latitude", "0.00N"}, {"Longitude", "2.31E"}});
    EXPECT_EQ(click(), "VK|Australia|Océanie|30|+10|59| 14018 Km| 119°");
    EXPECT_EQ(closer.texts().size(), 1);
}

TEST_F(SpotSelection, TheStationWindowRefusesEmptyFieldsThenSavesAndConverts) {
    ModalCloser closer;
    window().Mnu_Coordonnees->trigger();
    Station* station = window().stationWindow();
    station->La_Lat->clear();
    station->La_Long->clear();
    station->Enregistrer->click();
    station->La_Long->setText("70.66O");
    station->Enregistrer->click();
    EXPECT_EQ(closer.texts(),
              (QStringList{"Entrez une longitude ex 2.31E", "Entrez une latitude ex 48.53N"}));
    EXPECT_FALSE(storedKeys().contains("Longitude"));

    station->La_Lat->setText("33.86S");
    station->Enregistrer->click();
    EXPECT_EQ(stored("Longitude"), "70.66O");
    EXPECT_EQ(state.Latitude_Station, "-33.86");
    EXPECT_EQ(state.Longitude_Station, "-70.66");
    QApplication::processEvents();
    EXPECT_EQ(window().stationWindow(), nullptr); // closed and destroyed
}
