#include "DurerurFixture.h"

#include <array>

TEST_F(DurerurFixture, FirstRunWithAnEmptyStoreUsesTheDefaultsWritesThreeKeysAndTellsItsHistory) {
    // Two blanks: the stored revision starts with one.
    EXPECT_EQ(window().windowTitle(), "Pelk_Dedirad Rev  1.4.6");
    EXPECT_EQ(state.Longitude_Station, "0.00");
    EXPECT_EQ(state.Latitude_Station, "0.00");
    EXPECT_EQ(storedKeys(), (QStringList{"Chemin Repertoire", "Revision", "Transceiver"}));
    EXPECT_EQ(stored("Transceiver"), "2");
    EXPECT_EQ(stored("Revision"), " 1.4.6");
    EXPECT_EQ(stored("Chemin Repertoire"), directory.path());
    // Start-up fetches no page: the status line says what to do.
    EXPECT_EQ(window().Etat_Spots->text(), "Choisissez une bande puis appuyez sur « Afficher »");

    // The about and history boxes.
    ModalCloser closer;
    window().Mnu_A_Propos->trigger();
    window().Mnu_Historique->trigger();
    ASSERT_EQ(closer.texts().size(), 2);
    EXPECT_EQ(closer.texts()[0],
              "    Pelk Durerur\r\n  revision  1.4.6\r\n  version du paquet 1.5.0\r\n"
              "Pays : cty du 2 mai 2023 (livré avec le programme)");
    const QStringList lines = closer.texts()[1].split("\r\n");
    ASSERT_EQ(lines.size(), 18); // 17 lines, each ended by CR LF
    EXPECT_EQ(lines[16], "V1.4.6 le 28/10/2010 Ajout filtre dans la zone remarque");
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

TEST_F(DurerurFixture, StoredTransceiverIsRoundedHalfToEvenOrFallsBackUnwritten) {
    // stored text, model selected, text the selection saves back
    const std::array<const char*, 3> kept[] = {{"6", "FT-1000", "6"},
                                               {"3.5", "FT-897", "4"},
                                               {"4.5", "FT-897", "4"},
                                               {" 1 ", "FT-817", "1"}};
    for (const auto& [text, model, saved] : kept) {
        SCOPED_TRACE(text);
        restart({{"Transceiver", text}});
        EXPECT_EQ(state.Emetteur_Choisi, model);
        EXPECT_EQ(stored("Transceiver"), saved);
    }
    for (const char* garbage : {"abc", "3abc", "99", "-1", "40000", ""}) {
        SCOPED_TRACE(garbage);
        restart({{"Transceiver", garbage}});
        EXPECT_EQ(state.Emetteur_Choisi, "FT-847");
        EXPECT_EQ(stored("Transceiver"), garbage);
    }
}

TEST_F(DurerurFixture, StoredFilterTextsAreRestoredIntoTheirBoxes) {
    restart({{"Tri_Rem", "IOTA EU-064"}, {"Tri_Call", "F5"}});
    EXPECT_EQ(window().Remarque->text(), "IOTA EU-064");
    EXPECT_EQ(window().Indicatif->text(), "F5");
}
