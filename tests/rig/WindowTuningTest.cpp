#include "DurerurFixture.h"
#include "PseudoTerminal.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QListWidget>

using WindowTuning = DurerurFixture;

TEST_F(WindowTuning, AClickedSpotTunesTheChosenModelAndNoPortSendsNothing) {
    // "Com 1" is one side of a pseudo-terminal.
    PseudoTerminal pty;
    config.setPortDevice(1, pty.device());
    restart({{"Latitude", "48.52N"}, {"Longitude", "2.31E"}});
    Durerur& w = window();
    w.Mnu_Com_Click(1);
    w.Emetteur->setCurrentText(QStringLiteral("FT-1000"));
    w.Liste_Stations->addItem(" 06 DEC 14:05Z F5ABC         14025.5 DL1XYZ      CW");
    const auto click = [&] {
        w.Liste_Stations->setCurrentRow(-1);
        w.Liste_Stations->setCurrentRow(0);
        QCoreApplication::processEvents();
        return pty.readAvailable(100);
    };
    EXPECT_EQ(click(), QByteArray::fromHex("502540010A 010101010C"));

    w.Mnu_SansCom_Click();
    serial.setPortNumber(1);
    ASSERT_TRUE(serial.open()); // even an open port stays silent when none is chosen
    EXPECT_TRUE(click().isEmpty());
}
