#include "Bytes.h"
#include "DurerurFixture.h"
#include "PseudoTerminal.h"
#include "SpotLine.h"

#include <QComboBox>
#include <QListWidget>

namespace {

class WindowTuningTest : public DurerurFixture {
protected:
    WindowTuningTest() { config.setPortDevice(1, pty.device()); }

    // Picks the model and the spot, then tunes as the end of a selection does.
    QByteArray tuneTo(const char* model, const char* qrg) {
        Durerur& w = window();
        w.Emetteur->setCurrentText(QLatin1String(model));
        w.Liste_Stations->clear();
        w.Liste_Stations->addItem(spotLine(qrg));
        w.Liste_Stations->setCurrentRow(0);
        state.Ligne_Selection = w.Liste_Stations->currentItem()->text();
        w.tuneSelectedSpot();
        return pty.readAvailable(100);
    }

    PseudoTerminal pty;
};

} // namespace

TEST_F(WindowTuningTest, TheChosenModelGetsItsFramesOnTheChosenPort) {
    ASSERT_TRUE(pty.ok());
    window().Mnu_Com_Click(1);
    ASSERT_TRUE(serial.isOpen());

    EXPECT_EQ(tuneTo("FT-847", "14025.5"), bytes({0x00, 0x00, 0x00, 0x00, 0x00, //
                                                  0x01, 0x40, 0x25, 0x50, 0x01, //
                                                  0x01, 0x00, 0x00, 0x00, 0x07, //
                                                  0x00, 0x00, 0x00, 0x00, 0x80}));
    EXPECT_EQ(tuneTo("FT-1000", "7023.0"), bytes({0x00, 0x23, 0x70, 0x00, 0x0A, //
                                                  0x00, 0x00, 0x00, 0x00, 0x0C}));
    EXPECT_EQ(tuneTo("IC-706 MKIIG", "14025.5"),
              bytes({0xFE, 0xFE, 0x58, 0x00, 0x05, 0x00, 0x55, 0x02, 0x14, 0x00, 0xFD, //
                     0xFE, 0xFE, 0x58, 0x00, 0x06, 0x01, 0xFD}));
    EXPECT_TRUE(tuneTo("FT-847", "FT8").isEmpty());
}

TEST_F(WindowTuningTest, NoPortChosenSendsNothing) {
    window().Mnu_SansCom_Click();
    serial.setPortNumber(1);
    ASSERT_TRUE(serial.open()); // even an open port stays silent without a choice
    EXPECT_TRUE(tuneTo("FT-847", "14025.5").isEmpty());
}
