#include "Bytes.h"
#include "DurerurFixture.h"
#include "LoopbackHttpServer.h"
#include "PseudoTerminal.h"
#include "SystemClock.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>

namespace {

const QString Page14 = QStringLiteral("/dxc/top_50_14_MHz.html");
constexpr int Band14 = 5;

QByteArray page(const char* name) {
    QFile file(QDir(QStringLiteral(PELK_TEST_DATA_DIR)).filePath(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A spot page served on 127.0.0.1, shown in the main window, whose lines are
// clicked with "Com 1" on one side of a pseudo-terminal.
class WindowTuningTest : public DurerurFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.ok());
        config.setPortDevice(1, pty.device());
        config.setSpotSite(server.baseAddress());
        restart({{"Latitude", "48.52N"}, {"Longitude", "2.31E"}});
    }

    void show(const char* fixture) {
        server.setPage(Page14, page(fixture));
        window().Bande_CL->setCurrentIndex(Band14);
        window().Afficher->click();
    }

    // Clicks the line whose QRG column holds `qrg` with `model` chosen and
    // returns what reached the radio.
    QByteArray clickSpot(const char* model, const char* qrg) {
        Durerur& w = window();
        w.Emetteur->setCurrentText(QLatin1String(model));
        for (int row = 0; row < w.Liste_Stations->count(); ++row) {
            if (w.Liste_Stations->item(row)->text().mid(28, 8).trimmed() == QLatin1String(qrg)) {
                w.Liste_Stations->setCurrentRow(row);
                QCoreApplication::processEvents();
                return pty.readAvailable(100);
            }
        }
        ADD_FAILURE() << "no spot at " << qrg;
        return QByteArray();
    }

    PseudoTerminal pty;
    LoopbackHttpServer server;
};

} // namespace

TEST_F(WindowTuningTest, AClickedSpotTunesTheChosenModel) {
    window().Mnu_Com_Click(1);
    show("spots_columns.html");

    EXPECT_EQ(clickSpot("FT-847", "14025.0"), bytes({0x00, 0x00, 0x00, 0x00, 0x00, //
                                                     0x01, 0x40, 0x25, 0x00, 0x01, //
                                                     0x01, 0x00, 0x00, 0x00, 0x07, //
                                                     0x00, 0x00, 0x00, 0x00, 0x80}));
    EXPECT_EQ(clickSpot("FT-1000", "7012.5"), bytes({0x50, 0x12, 0x70, 0x00, 0x0A, //
                                                     0x00, 0x00, 0x00, 0x00, 0x0C}));
    EXPECT_EQ(clickSpot("IC-706 MKIIG", "144300.0"),
              bytes({0xFE, 0xFE, 0x58, 0x00, 0x05, 0x00, 0x00, 0x30, 0x44, 0x01, 0xFD, //
                     0xFE, 0xFE, 0x58, 0x00, 0x06, 0x01, 0xFD}));
}

TEST_F(WindowTuningTest, NothingIsSentForABadFrequencyOrWithoutAPort) {
    window().Mnu_Com_Click(1);
    show("spots_faults.html");
    EXPECT_TRUE(clickSpot("FT-847", "1296100.").isEmpty()); // too long for eight digits
    EXPECT_FALSE(clickSpot("FT-847", "3518.0").isEmpty());

    show("spots_columns.html");
    window().Mnu_SansCom_Click();
    serial.setPortNumber(1);
    ASSERT_TRUE(serial.open()); // even an open port stays silent when none is chosen
    EXPECT_TRUE(clickSpot("FT-847", "14025.0").isEmpty());
}

TEST_F(WindowTuningTest, AClosedOrDeadPortStillLetsTheClickReturn) {
    window().Mnu_Com_Click(1);
    show("spots_columns.html");
    SystemClock clock;

    serial.close();
    double start = clock.monotonicSeconds();
    EXPECT_TRUE(clickSpot("FT-847", "14025.0").isEmpty());
    EXPECT_GE(clock.monotonicSeconds() - start, 3 * CatSequences::YaesuWait);

    // The cable pulled out: every drain gives up in bounded time.
    window().Mnu_Com_Click(1);
    pty.closeMaster();
    start = clock.monotonicSeconds();
    clickSpot("FT-847", "7012.5");
    EXPECT_LT(clock.monotonicSeconds() - start,
              3 * CatSequences::YaesuWait + 4 * CatSequences::DrainLimitMs / 1000.0 + 0.5);
}
