#include "DurerurFixture.h"
#include "Station.h"

using StationWindow = DurerurFixture;

TEST_F(StationWindow, RefusesEmptyFieldsThenSavesAndConverts) {
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
