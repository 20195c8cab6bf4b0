#include "DurerurFixture.h"
#include "LoopbackHttpServer.h"
#include "PseudoTerminal.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QListWidget>
#include <QPushButton>

using WindowTuning = DurerurFixture;

TEST_F(WindowTuning, AClickedSpotTunesTheChosenModelAndNoPortSendsNothing) {
    // A spot page served on 127.0.0.1; "Com 1" is one side of a pseudo-terminal.
    PseudoTerminal pty;
    LoopbackHttpServer server;
    config.setPortDevice(1, pty.device());
    config.setSpotSite(server.baseAddress());
    QFile page(QStringLiteral(PELK_TEST_DATA_DIR "/spots_columns.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    server.setPage(QStringLiteral("/dxc/top_50_14_MHz.html"), page.readAll());
    restart({{"Latitude", "48.52N"}, {"Longitude", "2.31E"}});
    Durerur& w = window();
    w.Mnu_Com_Click(1);
    w.Bande_CL->setCurrentIndex(5); // 14 MHz
    w.Afficher->click();

    // Clicks the line with this QRG with `model` chosen; what reached the radio.
    const auto click = [&](const char* model, const char* qrg) {
        w.Emetteur->setCurrentText(QLatin1String(model));
        const auto lines =
            w.Liste_Stations->findItems(QStringLiteral(" %1 ").arg(qrg), Qt::MatchContains);
        EXPECT_EQ(lines.size(), 1) << qrg;
        w.Liste_Stations->setCurrentItem(lines.value(0));
        QCoreApplication::processEvents();
        return pty.readAvailable(100);
    };
    EXPECT_EQ(click("FT-847", "14025.0"),
              QByteArray::fromHex("0000000000 0140250001 0100000007 0000000080"));

    w.Mnu_SansCom_Click();
    serial.setPortNumber(1);
    ASSERT_TRUE(serial.open()); // even an open port stays silent when none is chosen
    EXPECT_TRUE(click("FT-847", "14025.0").isEmpty());
}
