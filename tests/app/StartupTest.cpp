#include "DurerurFixture.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

TEST_F(DurerurFixture, FirstRunWithAnEmptyStoreUsesEveryDefault) {
    auto& w = window();
    EXPECT_EQ(w.windowTitle(), "Pelk_Dedirad Rev  1.4.6");
    EXPECT_EQ(w.Bande_CL->currentText(), "All HF");
    EXPECT_EQ(w.Bande_CL2->currentText(), "Sans");
    EXPECT_EQ(w.Emetteur->currentText(), "FT-847");
    EXPECT_EQ(state.Emetteur_Choisi, "FT-847");
    EXPECT_EQ(w.Remarque->text(), "");
    EXPECT_EQ(w.Indicatif->text(), "");
    EXPECT_EQ(w.NumPort->text(), "0");
    EXPECT_EQ(w.DebitPort->text(), "0");
    EXPECT_TRUE(w.Mnu_SansCom->isChecked());
    for (QAction* a : w.Mnu_Com)
        EXPECT_FALSE(a->isChecked());
    for (QAction* a : w.Mnu_Speed)
        EXPECT_FALSE(a->isChecked());
    EXPECT_FALSE(serial.isOpen());
    EXPECT_EQ(state.Longitude_Station, "0.00");
    EXPECT_EQ(state.Latitude_Station, "0.00");
    EXPECT_TRUE(state.Page_Prete);
    EXPECT_EQ(state.Mode_Tri, 1);
    EXPECT_TRUE(w.Timer2->isActive());
    EXPECT_EQ(w.Timer2->interval(), 60000);
    EXPECT_TRUE(w.Patientez->isHidden());

    // Start-up wrote exactly these three keys.
    EXPECT_EQ(storedKeys(), (QStringList{"Chemin Repertoire", "Revision", "Transceiver"}));
    EXPECT_EQ(stored("Transceiver"), "2");
    EXPECT_EQ(stored("Revision"), " 1.4.6");
    EXPECT_EQ(stored("Chemin Repertoire"), directory.path());
}

TEST_F(DurerurFixture, StoredCoordinatesAreConvertedToSignedText) {
    struct Case {
        const char* longitude;
        const char* latitude;
        const char* workLongitude;
        const char* workLatitude;
    };
    const Case cases[] = {
        {"12.5O", "33.9S", "-12.5", "-33.9"},
        {"2.31E", "48.52N", "2.31", "48.52"},
        {"2.31E", "0", "2.31E", "0"},         // exactly "0": neither is converted
        {"2.31o", "48.52s", "2.31", "48.52"}, // lower-case letters are not recognised
        {"2.31", "48.5", "2.3", "48."},       // no letter: the last digit goes
        {"", "", "0.00", "0.00"},             // empty texts count as the defaults
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.longitude);
        restart({{"Longitude", c.longitude}, {"Latitude", c.latitude}});
        EXPECT_EQ(state.Longitude_Station, c.workLongitude);
        EXPECT_EQ(state.Latitude_Station, c.workLatitude);
    }
}

TEST_F(DurerurFixture, StoredBandIndexesFollowTheLeadingNumberRule) {
    struct Case {
        const char* stored;
        int index;
    };
    const Case cases[] = {{"3abc", 3}, {"2.5", 2}, {"3.5", 4}, {"", 0},
                          {"-1", -1},  {"14", 14}, {"15", 0},  {"-3", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        restart({{"bande Durerur", c.stored}, {"bande Durerur 1", c.stored}});
        EXPECT_EQ(window().Bande_CL->currentIndex(), c.index);
        EXPECT_EQ(window().Bande_CL2->currentIndex(), c.index == 14 ? 0 : c.index);
    }
}

TEST_F(DurerurFixture, StoredTransceiverOutsideTheListFallsBackWithoutRewriting) {
    restart({{"Transceiver", "6"}});
    EXPECT_EQ(state.Emetteur_Choisi, "FT-1000");
    for (const char* garbage : {"abc", "99", "-1", "2.5", ""}) {
        SCOPED_TRACE(garbage);
        restart({{"Transceiver", garbage}});
        EXPECT_EQ(state.Emetteur_Choisi, "FT-847");
        // The selection handler saves the index it selected.
        EXPECT_EQ(stored("Transceiver"), "2");
    }
}

TEST_F(DurerurFixture, PickingATransceiverSavesItsIndex) {
    window().Emetteur->setCurrentIndex(6);
    EXPECT_EQ(state.Emetteur_Choisi, "FT-1000");
    EXPECT_EQ(stored("Transceiver"), "6");
}

TEST_F(DurerurFixture, FilterTextsAreRestored) {
    restart({{"Tri_Rem", "CQ"}, {"Tri_Call", "F5"}});
    EXPECT_EQ(window().Remarque->text(), "CQ");
    EXPECT_EQ(window().Indicatif->text(), "F5");
}

TEST_F(DurerurFixture, ControlsCarryTheirNamesAndCaptions) {
    auto& w = window();
    EXPECT_EQ(w.centralWidget()->size(), QSize(704, 657));
    const std::pair<const char*, const char*> buttons[] = {
        {"Test_alerte", "Test alerte"}, {"Tri_Date", "Date QTR(TU)"},
        {"Tri_DX", "DX              "}, {"Tri_QRG", "QRG"},
        {"Voir_Mem", "Voir Mémoire"},   {"Memoriser", "Mémoriser"},
        {"Afficher", "Afficher"},       {"QRZ", "QRZ.com"},
    };
    for (const auto& [name, caption] : buttons) {
        auto* button = w.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->text(), QString::fromUtf8(caption)) << name;
    }
    EXPECT_EQ(w.Tri_Date->toolTip(), "Un click pour un tri par date");
    EXPECT_EQ(w.Tri_DX->toolTip(), "Un click pour un tri par DX");
    EXPECT_EQ(w.Tri_QRG->toolTip(), "Un click pour un tri par QRG");
    EXPECT_EQ(w.Text1->text(), "Spotter                        Remarques");
    EXPECT_EQ(w.findChild<QLabel*>("Label2")->text(),
              "Page mise a jour toutes les minutes, la dernière à ");
    EXPECT_EQ(w.findChild<QLabel*>("Label7")->text(), " PELK DEDIRAD (DXDedirad)");
    EXPECT_EQ(w.findChild<QLabel*>("Label10")->text(), "Com ");
    EXPECT_EQ(w.Liste_Stations->palette().color(QPalette::Base), QColor(255, 255, 192));
    EXPECT_EQ(w.Tri_Date->palette().color(QPalette::Button), QColor(192, 255, 192));

    QStringList bands;
    for (int i = 0; i < w.Bande_CL->count(); ++i)
        bands << w.Bande_CL->itemText(i);
    EXPECT_EQ(bands.size(), 15);
    EXPECT_EQ(bands.first(), "All HF");
    EXPECT_EQ(bands.last(), "All VHF");
    EXPECT_EQ(w.Bande_CL2->count(), 14);
    EXPECT_EQ(w.Bande_CL2->itemText(13), "432 Mhz");

    const std::pair<const char*, const char*> menus[] = {
        {"Mnu_Port_Com", "Port Com"},
        {"Mnu_SansCom", "Sans"},
        {"Mnu_Com1", "Com 1"},
        {"Mnu_Com6", "Com 6"},
        {"Mnu_Vitesse", "Baud"},
        {"Mnu_4800", "4800 Bd"},
        {"Mnu_57600", "57600 Bd"},
        {"Mnu_Coordonnees", "Coordonnés"},
        {"Mnu_Hlp", "?"},
        {"Mnu_Historique", "Historique"},
        {"Mnu_A_Propos", "A Propos"},
    };
    for (const auto& [name, caption] : menus) {
        auto* action = w.findChild<QAction*>(name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->text(), QString::fromUtf8(caption)) << name;
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
    EXPECT_EQ(lines[5], "V1.3.5 le 11/04/2007 Utilisation de 127.0.0.1");
    EXPECT_EQ(lines[9], "V1.3.9 le 09/02/2008 Ajout détail station via QRZ.com ");
    EXPECT_EQ(lines[16], "V1.4.6 le 28/10/2010 Ajout filtre dans la zone remarque");
    EXPECT_EQ(lines[17], "");
}
