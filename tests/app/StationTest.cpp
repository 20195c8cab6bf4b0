#include "DurerurFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

class StationTest : public DurerurFixture {
protected:
    Station& open() {
        window().Mnu_Coordonnees->trigger();
        Station* station = window().stationWindow();
        EXPECT_NE(station, nullptr);
        return *station;
    }
};

TEST_F(StationTest, ShowsTheDefaultsThenSavesAndConverts) {
    Station& station = open();
    EXPECT_EQ(station.windowTitle(), "Coordonnées");
    EXPECT_EQ(station.La_Lat->text(), "0.00N");
    EXPECT_EQ(station.La_Long->text(), "0.00E");
    station.La_Lat->setText("33.86S");
    station.La_Long->setText("70.66O");
    station.Enregistrer->click();
    EXPECT_EQ(stored("Latitude"), "33.86S");
    EXPECT_EQ(stored("Longitude"), "70.66O");
    EXPECT_EQ(state.Latitude_Station, "-33.86");
    EXPECT_EQ(state.Longitude_Station, "-70.66");
    QApplication::processEvents();
    EXPECT_EQ(window().stationWindow(), nullptr); // closed and destroyed

    // Reopened, it shows the stored texts as typed.
    Station& again = open();
    EXPECT_EQ(again.La_Lat->text(), "33.86S");
}

TEST_F(StationTest, EmptyFieldsAreRefusedLongitudeFirst) {
    ModalCloser closer;
    Station& station = open();
    station.La_Lat->clear();
    station.La_Long->clear();
    station.Enregistrer->click();
    station.La_Long->setText("2.31E");
    station.Enregistrer->click();
    EXPECT_EQ(closer.texts(),
              (QStringList{"Entrez une longitude ex 2.31E", "Entrez une latitude ex 48.53N"}));
    EXPECT_EQ(storedKeys().contains("Longitude"), false);
    EXPECT_NE(window().stationWindow(), nullptr);
}

TEST_F(StationTest, LettersAreTakenAsTyped) {
    Station& station = open();
    station.La_Lat->setText("48.52n");
    station.La_Long->setText("2.31E");
    station.Enregistrer->click();
    EXPECT_EQ(state.Latitude_Station, "48.52");
    Station& again = open();
    again.La_Lat->setText("48.52");
    again.Enregistrer->click();
    EXPECT_EQ(state.Latitude_Station, "48.5");
}

TEST_F(StationTest, OneWindowAtATimeAndItOutlivesTheMainWindow) {
    Station& first = open();
    first.La_Lat->setText("typed");
    Station& second = open();
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(second.La_Lat->text(), "typed");
    QPointer<Station> station(&first);
    window().close();
    EXPECT_FALSE(station.isNull());
    EXPECT_TRUE(station->isVisible());
    station->close();
}
