// Start-up on a settings store that is damaged or holds garbage.
#include "DurerurFixture.h"
#include "LoopbackHttpServer.h"
#include "SpotPages.h"
#include "TempSettings.h"

#include "../spots/QtPrinters.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>

namespace {

const QString Page14 = QStringLiteral("/dxc/top_50_14_MHz.html");
constexpr int Band14 = 5;

const QList<Spot> Spots{
    {"ja1abc", "14012.5", "06 dec 14:09z", "w1aw", "cq dx"},
    {"f5abc", "14025.0", "06 dec 14:05z", "dl1xyz", "via buro"},
};

// The keys start-up writes by itself, whatever the store held.
const QStringList WrittenAtStartUp{"Chemin Repertoire", "Revision", "Transceiver"};

const QStringList AllKeys{"bande Durerur", "bande Durerur 1",   "Transceiver", "Longitude",
                          "Latitude",      "Tri_Rem",           "Tri_Call",    "Port Com",
                          "Baud",          "Chemin Repertoire", "Revision"};

} // namespace

class SettingsFaults : public DurerurFixture {
protected:
    void SetUp() override {
        site.setPage(Page14, spotPage(Spots));
        config.setSpotSite(site.baseAddress());
    }

    static void writeStore(const QByteArray& bytes) {
        QFile file(TempSettings::iniFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    // Every key as the store gives it back.
    std::map<QString, QString> storedValues() const {
        std::map<QString, QString> values;
        for (const QString& key : AllKeys)
            values[key] = stored(key);
        return values;
    }

    // Closes the window and starts again on the store as it stands.
    void reopen() {
        closeWindow();
        state = SharedState();
        window();
    }

    // The state of a first run.
    void expectTheDefaults() {
        Durerur& w = window();
        EXPECT_EQ(w.Bande_CL->currentIndex(), 0);
        EXPECT_EQ(w.Bande_CL2->currentIndex(), 0);
        EXPECT_EQ(w.Emetteur->currentText(), QStringLiteral("FT-847"));
        EXPECT_EQ(state.Emetteur_Choisi, QStringLiteral("FT-847"));
        EXPECT_EQ(state.Longitude_Station, QStringLiteral("0.00"));
        EXPECT_EQ(state.Latitude_Station, QStringLiteral("0.00"));
        EXPECT_EQ(w.NumPort->text(), QStringLiteral("0"));
        EXPECT_EQ(w.DebitPort->text(), QStringLiteral("0"));
        EXPECT_TRUE(w.Mnu_SansCom->isChecked());
        EXPECT_FALSE(serial.isOpen());
        EXPECT_TRUE(w.Timer2->isActive());
        EXPECT_TRUE(state.Page_Prete);
    }

    void expectSpotsShown() {
        Durerur& w = window();
        w.Bande_CL->setCurrentIndex(Band14);
        w.Afficher->click();
        EXPECT_EQ(linesOf(*w.Liste_Stations), spotLines(Spots));
    }

    LoopbackHttpServer site;
    ModalCloser closer;
};

TEST_F(SettingsFaults, ARandomStoreFileStartsAsAFirstRunAndKeepsNewChoices) {
    QByteArray noise(64 * 1024, Qt::Uninitialized);
    QRandomGenerator generator(1406);
    for (char& byte : noise)
        byte = static_cast<char>(generator.bounded(256));
    writeStore(noise);

    expectTheDefaults();
    expectSpotsShown();
    EXPECT_TRUE(closer.texts().isEmpty());
    // Afficher saved the band: the next start finds it.
    reopen();
    EXPECT_EQ(window().Bande_CL->currentIndex(), Band14);
}

TEST_F(SettingsFaults, EveryKeyHoldingGarbageFallsBackWithoutRewritingIt) {
    writeStore("[Setup%20]\n"
               "bande%20Durerur=99999999999999999999\n"
               "bande%20Durerur%201=-99999999999999999999\n"
               "Transceiver=-7e3\n"
               "Longitude=\n"
               "Latitude=\n"
               "Tri_Rem=\"unterminated\n"
               "Tri_Call=\x01a, b, \"c\n"
               "Port%20Com=@Rect(1 2 3 4)\n"
               "Baud=115200,n,8,1\n"
               "Chemin%20Repertoire=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x5\\x42ogus)\n"
               "Revision=@ByteArray(\xff\xfe)\n"
               "[Setup]\n"
               "Port%20Com=1\n");
    const std::map<QString, QString> before = storedValues();

    expectTheDefaults();
    EXPECT_TRUE(closer.texts().isEmpty());
    const std::map<QString, QString> after = storedValues();
    for (const QString& key : AllKeys) {
        if (!WrittenAtStartUp.contains(key)) {
            EXPECT_EQ(after.at(key), before.at(key)) << key.toStdString();
        }
    }
    EXPECT_EQ(stored(QStringLiteral("Transceiver")), QStringLiteral("2"));
    EXPECT_EQ(stored(QStringLiteral("Revision")), QStringLiteral(" 1.4.6"));
    expectSpotsShown();
}

TEST_F(SettingsFaults, AStoreThatCannotBeReadOrWrittenStillStarts) {
    ASSERT_TRUE(QDir().mkpath(TempSettings::iniFile()));
    expectTheDefaults();
    expectSpotsShown();
    EXPECT_TRUE(closer.texts().isEmpty());
    closeWindow();
    ASSERT_TRUE(QDir().rmdir(TempSettings::iniFile()));
}
