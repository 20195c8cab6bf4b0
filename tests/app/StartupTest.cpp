#include "DurerurFixture.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <array>

TEST_F(DurerurFixture, FirstRunWithAnEmptyStoreUsesTheDefaultsAndWritesThreeKeys) {
    auto& w = window();
    // Two blanks: the stored revision starts with one.
    EXPECT_EQ(w.windowTitle(), "Pelk_Dedirad Rev  1.4.6");
    EXPECT_EQ(w.Bande_CL->currentText(), "All HF");
    EXPECT_EQ(w.Bande_CL2->currentText(), "Sans");
    EXPECT_EQ(state.Emetteur_Choisi, "FT-847");
    EXPECT_EQ(w.NumPort->text(), "0");
    EXPECT_EQ(w.DebitPort->text(), "0");
    EXPECT_TRUE(w.Mnu_SansCom->isChecked());
    EXPECT_FALSE(serial.isOpen());
    EXPECT_EQ(state.Longitude_Station, "0.00");
    EXPECT_EQ(state.Latitude_Station, "0.00");
    EXPECT_EQ(storedKeys(), (QStringList{"Chemin Repertoire", "Revision", "Transceiver"}));
    EXPECT_EQ(stored("Transceiver"), "2");
    EXPECT_EQ(stored("Revision"), " 1.4.6");
    EXPECT_EQ(stored("Chemin Repertoire"), directory.path());
}

TEST_F(DurerurFixture, StoredCoordinatesAreConvertedToSignedText) {
    const std::array<const char*, 4> cases[] = {
        // stored longitude, latitude; the working ones
        {"12.5O", "33.9S", "-12.5", "-33.9"},
        {"2.31E", "48.52N", "2.31", "48.52"},
        {"2.31E", "0", "2.31E", "0"},         // exactly "0": neither is converted
        {"2.31o", "48.52s", "2.31", "48.52"}, // lower-case letters are not recognised
        {"2.31", "48.5", "2.3", "48."},       // no letter: the last digit goes
        {"", "", "0.00", "0.00"},             // empty texts count as the defaults
    };
    for (const auto& [longitude, latitude, workLongitude, workLatitude] : cases) {
        SCOPED_TRACE(longitude);
        restart({{"Longitude", longitude}, {"Latitude", latitude}});
        EXPECT_EQ(state.Longitude_Station, workLongitude);
        EXPECT_EQ(state.Latitude_Station, workLatitude);
    }
}

TEST_F(DurerurFixture, StoredBandIndexesFollowTheLeadingNumberRule) {
    const std::pair<const char*, int> cases[] = {{"3abc", 3}, {"2.5", 2}, {"3.5", 4}, {"", 0},
                                                 {"-1", -1},  {"14", 14}, {"15", 0},  {"-3", 0}};
    for (const auto& [text, index] : cases) {
        SCOPED_TRACE(text);
        restart({{"bande Durerur", text}, {"bande Durerur 1", text}});
        EXPECT_EQ(window().Bande_CL->currentIndex(), index);
        EXPECT_EQ(window().Bande_CL2->currentIndex(), index == 14 ? 0 : index);
    }
}

TEST_F(DurerurFixture, StoredTransceiverOutsideTheListFallsBack) {
    restart({{"Transceiver", "6"}});
    EXPECT_EQ(state.Emetteur_Choisi, "FT-1000");
    for (const char* garbage : {"abc", "99", "-1", "2.5", ""}) {
        SCOPED_TRACE(garbage);
        restart({{"Transceiver", garbage}});
        EXPECT_EQ(state.Emetteur_Choisi, "FT-847");
        EXPECT_EQ(stored("Transceiver"), "2");
    }
}

TEST_F(DurerurFixture, AboutAndHistoryBoxes) {
    ModalCloser closer;
    window().Mnu_A_Propos->trigger();
    window().Mnu_Historique->trigger();
    ASSERT_EQ(closer.texts().size(), 2);
    EXPECT_EQ(closer.titles(), (QStringList{"Pelk_Dedirad", "Pelk_Dedirad"}));
    EXPECT_EQ(closer.texts()[0], "    Pelk Durerur\r\n  revision  1.4.6");
    const QStringList lines = closer.texts()[1].split("\r\n");
    ASSERT_EQ(lines.size(), 18); // 17 lines, each ended by CR LF
    EXPECT_EQ(lines[0], "V1.0.0 le 01/03/2005 Creation Programme");
    EXPECT_EQ(lines[16], "V1.4.6 le 28/10/2010 Ajout filtre dans la zone remarque");
}
