// The settings window: what it accepts, what it writes into the user's own
// file, and what changes at once, through the main window.
#include "DurerurFixture.h"
#include "LocalSpotServer.h"
#include "MessageBox.h"
#include "ScriptedClusterNode.h"

#include <utility>
#include <vector>

// Each form refuses at "Enregistrer", naming the field; what it accepts is saved.
TEST(Reglages, EachFormRefusesWhatItCannotTake) {
    const char* const rows[][3] = {
        {"Indicatif_Reglage", "F4ABC-123",
         "L'indicatif « F4ABC-123 » n'est pas un indicatif (exemple : F4ABC ou F4ABC-7)"},
        {"Indicatif_Reglage", "HELLO",
         "L'indicatif « HELLO » n'est pas un indicatif (exemple : F4ABC ou F4ABC-7)"},
        {"Indicatif_Reglage", "F4ABC-",
         "L'indicatif « F4ABC- » n'est pas un indicatif (exemple : F4ABC ou F4ABC-7)"},
        {"Indicatif_Reglage", "F4ABC/P",
         "L'indicatif « F4ABC/P » contient « / », que les nœuds refusent à la connexion : "
         "donnez-leur un indicatif avec un SSID, comme F4ABC-7"},
        {"Noeuds", "a:1,b:2,c:3", nullptr},
        {"Noeuds", "a:1,b:2,c:3,d:4",
         "Les nœuds « a:1,b:2,c:3,d:4 » ne sont pas jusqu'à trois hôte:port séparés par des "
         "virgules"},
        {"Peripherique_Com6", "/",
         "Le périphérique de Com 6 « / » n'est pas un chemin comme "
         "/dev/ttyUSB0"},
        {"Peripherique_Hamlib", "/dev/tty USB0",
         "Le périphérique de la radio « /dev/tty USB0 » n'est pas un chemin comme /dev/ttyUSB0"},
        {"Adresse_Flrig", "127.0.0.1",
         "L'adresse de flrig « 127.0.0.1 » n'est pas de la forme hôte:port"},
        {"Vitesse_Hamlib", "0", "La vitesse de la radio « 0 » n'est pas un nombre de bauds"},
        {"Vitesse_Hamlib", "fast", "La vitesse de la radio « fast » n'est pas un nombre de bauds"},
        {"Minutes_Carte", "1441",
         "La durée sur la carte « 1441 » n'est pas un nombre de minutes de 1 à 1440"},
        {"Adresse_Wsjtx", "", nullptr},
    };
    // What "Enregistrer" tells with these fields typed; nothing saved when it tells.
    const auto told = [](const std::vector<std::pair<const char*, const char*>>& typed) {
        struct : MessageBox {
            void show(const QString& text) override { texts.append(text); }
            QStringList texts;
        } messages;
        bool saved = false;
        Reglages window(Configuration(), {}, messages, [&](const Reglages::Values&) {
            saved = true;
            return std::optional<QString>();
        });
        for (const auto& [field, text] : typed) {
            if (auto* line = window.findChild<QLineEdit*>(field))
                line->setText(text);
            else
                window.findChild<QComboBox*>(field)->setEditText(text);
        }
        window.Enregistrer->click();
        EXPECT_NE(saved, messages.texts.size() == 1);
        return messages.texts.join(" / ");
    };
    for (const auto& [field, typed, refused] : rows)
        EXPECT_EQ(told({{field, typed}}), refused ? refused : "") << typed;

    // Every field in error in one message, a pasted line break first.
    EXPECT_EQ(told({{"Indicatif_Reglage", "HELLO<b>"},
                    {"Site_Spots", "www.example.org"},
                    {"Site_Pays", "https://example.org"},
                    {"Peripherique_Com2", "COM2"},
                    {"Mot_De_Passe", "pw\ncallsign=EVIL1"}}),
              "« Mot de passe » ne peut contenir ni retour à la ligne ni caractère de contrôle\n"
              "L'indicatif « HELLO<b> » n'est pas un indicatif (exemple : F4ABC ou F4ABC-7)\n"
              "Le site des spots « www.example.org » n'est pas de la forme http://hôte[:port]\n"
              "Le fichier des pays « https://example.org » n'est pas de la forme "
              "https://hôte[:port]/chemin\n"
              "Le périphérique de Com 2 « COM2 » n'est pas un chemin comme /dev/ttyUSB0");
}

class ReglagesWindow : public DurerurFixture {
protected:
    void SetUp() override {
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
        userFile = Configuration::userFile();
    }
    void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }

    Reglages& open() {
        window().Mnu_Reglages->trigger();
        return *window().reglagesWindow();
    }

    QTemporaryDir home;
    QString userFile;
};

TEST_F(ReglagesWindow, EveryFieldIsSavedToTheUsersFileAndShownAgain) {
    config.setValue(ConfigKey::Confirmations, QStringLiteral("qsl, LoTW")); // hand-edited
    Reglages& r = open();
    EXPECT_TRUE(r.QSL_Papier->isChecked() && r.QSL_LoTW->isChecked() && !r.QSL_eQSL->isChecked());
    EXPECT_EQ(r.objectName(), "Reglages");
    EXPECT_EQ(r.windowTitle(), "Réglages");
    window().Mnu_Reglages->trigger(); // one window at most
    EXPECT_EQ(window().reglagesWindow(), &r);

    r.Indicatif_Reglage->setText("f4abc-7");
    r.Noeuds->setEditText("dxc.example.org:7300, telnet.reversebeacon.net:7000");
    r.Mot_De_Passe->setText("secret");
    r.Site_Spots->setText("http://127.0.0.1:9073");
    r.Site_Recherche->setText("https://www.hamqth.com");
    for (std::size_t i = 0; i < r.Peripheriques.size(); ++i)
        r.Peripheriques[i]->setEditText(QStringLiteral("/dev/ttyUSB%1").arg(i));
    r.Adresse_Rigctld->setText("127.0.0.1:4533");
    r.Adresse_Flrig->setText("127.0.0.1:12346");
    r.Modele_Hamlib->setCurrentIndex(r.Modele_Hamlib->findData("3073"));
    r.Peripherique_Hamlib->setText("/dev/ttyACM0");
    r.Vitesse_Hamlib->setEditText("115200");
    r.Mode_Reglage->setCurrentIndex(r.Mode_Reglage->findData("bandplan"));
    r.Journal_ADIF->setText("~/wsjtx_log.adi");
    r.QSL_Papier->setChecked(false);
    r.QSL_eQSL->setChecked(true);
    r.Alerte_Nouvelle_Entite->setChecked(false);
    r.Site_Pays->setText("https://example.org/cty.csv");
    r.Maj_Pays_Auto->setChecked(false);
    ModalCloser closer;
    r.Enregistrer->click();
    EXPECT_TRUE(closer.texts().isEmpty()) << closer.texts().join(" / ").toStdString();

    EXPECT_EQ(readAll(userFile),
              "callsign = F4ABC-7\n"
              "cluster = dxc.example.org:7300, telnet.reversebeacon.net:7000\n"
              "password = secret\nspot_site = http://127.0.0.1:9073\n"
              "lookup_site = https://www.hamqth.com\ncom1 = /dev/ttyUSB0\ncom2 = /dev/ttyUSB1\n"
              "com3 = /dev/ttyUSB2\ncom4 = /dev/ttyUSB3\ncom5 = /dev/ttyUSB4\n"
              "com6 = /dev/ttyUSB5\nrigctld = 127.0.0.1:4533\nflrig = 127.0.0.1:12346\n"
              "hamlib_model = 3073\nhamlib_device = /dev/ttyACM0\nhamlib_speed = 115200\n"
              "mode = bandplan\nadif_log = ~/wsjtx_log.adi\nconfirmations = lotw,eqsl\n"
              "alert_new_entity = no\ncountry_site = https://example.org/cty.csv\n"
              "country_update = manual\n");
    // Applied at once: the lookup button, the ports, the configuration.
    EXPECT_EQ(window().QRZ->text(), "HAMQTH.com");
    EXPECT_EQ(config.portDevice(4), "/dev/ttyUSB3");
    EXPECT_EQ(config.mode(), "bandplan");

    // Escape closes it, as "Fermer" does; opened anew, it shows what was saved.
    QTest::keyClick(&r, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window().reglagesWindow(), nullptr);
    Reglages& again = open();
    EXPECT_EQ(again.Indicatif_Reglage->text(), "F4ABC-7");
    EXPECT_EQ(again.Modele_Hamlib->currentData().toString(), "3073");
    EXPECT_EQ(again.Peripheriques[5]->currentText(), "/dev/ttyUSB5");
}

TEST_F(ReglagesWindow, TwoCopiesSaveOnlyWhatEachChangedOverTheFileAsItIs) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(userFile).absolutePath()));
    // A comment in Latin-1 and CRLF line ends stay as they were.
    ASSERT_TRUE(writeFile(userFile, "# \xE9crit \xE0 la main\r\nmode = none\r\n"));
    Reglages& b = open();                                       // copy B opens first
    Configuration::saveKeys(userFile, {{"callsign", "F4AAA"}}); // copy A saves
    b.Mot_De_Passe->setText("secret");
    b.Mode_Reglage->setCurrentIndex(b.Mode_Reglage->findData("bandplan"));
    ModalCloser closer;
    b.Enregistrer->click();
    EXPECT_TRUE(closer.texts().isEmpty()) << closer.texts().join(" ").toStdString();
    // A key the file holds is written in its place, the others at its end.
    QFile file(userFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "# \xE9crit \xE0 la main\r\nmode = bandplan\r\n"
                              "callsign = F4AAA\r\npassword = secret\r\n");
    EXPECT_EQ(window().Etat_Spots->text(), "Réglages enregistrés");
    // Opened anew, it shows the file as it is.
    b.close();
    QCoreApplication::processEvents();
    EXPECT_EQ(open().Indicatif_Reglage->text(), "F4AAA");
}

TEST_F(ReglagesWindow, AFileThatCannotBeReadIsToldAndNeverReplaced) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(userFile).absolutePath()));
    const QByteArray mine = "# mine\ncallsign = F4ABC\nlookup_site = https://www.hamqth.com\n";
    ASSERT_TRUE(writeFile(userFile, mine));
    ASSERT_TRUE(QFile::setPermissions(userFile, QFileDevice::WriteOwner));
    // Root reads any file: give up that right on this thread.
    ASSERT_TRUE(overridePermissions(false));
    ModalCloser closer;
    config = Configuration::load(QString(), userFile);
    restart({});
    ASSERT_EQ(closer.texts().size(), 1);
    EXPECT_TRUE(closer.texts()[0].startsWith("Le fichier de configuration " + userFile +
                                             " ne peut pas être lu ("))
        << closer.texts()[0].toStdString();
    Reglages& r = open();
    r.Mot_De_Passe->setText("secret");
    r.Enregistrer->click();
    ASSERT_TRUE(overridePermissions(true));
    ASSERT_EQ(closer.texts().size(), 2);
    EXPECT_TRUE(closer.texts()[1].startsWith("Les réglages n'ont pas pu être enregistrés dans " +
                                             userFile));
    EXPECT_TRUE(closer.plainOnly());
    QFile::setPermissions(userFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(readAll(userFile), QString::fromLatin1(mine));
}

TEST_F(ReglagesWindow, ANewNodeReachesTheRunningSpotServer) {
    ScriptedClusterNode node;
    node.setGreeting("login: ");
    config.setSpotSite(QStringLiteral("http://127.0.0.1:%1").arg(freePort()));
    LocalSpotServer source(ProgramDirectory(QStringLiteral(PELK_PROGRAM_DIR)), config.spotSite());
    ASSERT_TRUE(source.started());
    window().setSpotSourceRestarter([&] { source.restart(config.spotSite()); });
    Reglages& r = open();
    r.Indicatif_Reglage->setText("F4TEST");
    r.Noeuds->setEditText(node.address());
    ModalCloser closer;
    r.Enregistrer->click();
    EXPECT_TRUE(node.waitForReceived("F4TEST\r\n"));
    EXPECT_TRUE(closer.texts().isEmpty());
}
