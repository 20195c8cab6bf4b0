#include "DurerurFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

TEST_F(DurerurFixture, StationWindowRefusesEmptyFieldsThenSavesAndConverts) {
    ModalCloser closer;
    window().Mnu_Coordonnees->trigger();
    Station* station = window().stationWindow();
    ASSERT_NE(station, nullptr);
    EXPECT_EQ(station->La_Lat->text(), "0.00N");
    EXPECT_EQ(station->La_Long->text(), "0.00E");
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
    EXPECT_EQ(stored("Latitude"), "33.86S");
    EXPECT_EQ(stored("Longitude"), "70.66O");
    EXPECT_EQ(state.Latitude_Station, "-33.86");
    EXPECT_EQ(state.Longitude_Station, "-70.66");
    QApplication::processEvents();
    EXPECT_EQ(window().stationWindow(), nullptr); // closed and destroyed
}
