#include "Bytes.h"
#include "CatSequences.h"
#include "Configuration.h"
#include "PseudoTerminal.h"
#include "QtSerialLink.h"
#include "SpotLine.h"
#include "SystemClock.h"
#include "TuningDispatch.h"

#include <gtest/gtest.h>

namespace {

class SerialTuningTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.ok());
        config.setPortDevice(1, pty.device());
        port.setPortNumber(1);
        port.setSettings(QStringLiteral("9600,n,8,1"));
        port.setRawMode();
        ASSERT_TRUE(port.open());
    }

    // Runs the dispatch for a spot and returns the seconds it took.
    double tune(const char* model, const char* qrg, const char* numPort = "1") {
        const double start = clock.monotonicSeconds();
        dispatchTuning(QLatin1String(numPort), QLatin1String(model), spotLine(qrg), cat);
        return clock.monotonicSeconds() - start;
    }

    PseudoTerminal pty;
    Configuration config;
    QtSerialLink port{config};
    SystemClock clock;
    CatSequences cat{port, clock};
};

} // namespace

TEST_F(SerialTuningTest, Ft847GetsTheFourBlocksInOrderWithTheirWaits) {
    EXPECT_GE(tune("FT-847", "14025.5"), 3 * CatSequences::YaesuWait);
    EXPECT_EQ(pty.readAvailable(), bytes({0x00, 0x00, 0x00, 0x00, 0x00, //
                                          0x01, 0x40, 0x25, 0x50, 0x01, //
                                          0x01, 0x00, 0x00, 0x00, 0x07, //
                                          0x00, 0x00, 0x00, 0x00, 0x80}));
}

TEST_F(SerialTuningTest, Ft1000GetsFrequencyAndSidebandWithTheirWaits) {
    EXPECT_GE(tune("FT-1000", "7023.0"), 2 * CatSequences::Yaesu1Wait);
    EXPECT_EQ(pty.readAvailable(), bytes({0x00, 0x23, 0x70, 0x00, 0x0A, //
                                          0x00, 0x00, 0x00, 0x00, 0x0C}));
}

TEST_F(SerialTuningTest, Ic706GetsFrequencyAndModeFrames) {
    EXPECT_GE(tune("IC-706 MKIIG", "14025.5"), CatSequences::IcomWait);
    EXPECT_EQ(pty.readAvailable(),
              bytes({0xFE, 0xFE, 0x58, 0x00, 0x05, 0x00, 0x55, 0x02, 0x14, 0x00, 0xFD, //
                     0xFE, 0xFE, 0x58, 0x00, 0x06, 0x01, 0xFD}));
}

TEST_F(SerialTuningTest, NothingReachesTheRadioWithoutAPortOrAFrequency) {
    tune("FT-847", "14025.5", "0");
    tune("FT-847", "F5ABC");
    tune("FT-1000", "");
    tune("IC-706 MKIIG", "0.0");
    EXPECT_TRUE(pty.readAvailable(100).isEmpty());

    port.close();
    EXPECT_GE(tune("FT-847", "14025.5"), 3 * CatSequences::YaesuWait);
    EXPECT_TRUE(pty.readAvailable(100).isEmpty());
}

TEST_F(SerialTuningTest, APulledCableDoesNotHangTheSequence) {
    pty.closeMaster();
    const double seconds = tune("FT-847", "14025.5");
    EXPECT_LT(seconds, 3 * CatSequences::YaesuWait + 4 * CatSequences::DrainLimitMs / 1000.0 + 0.5);
}
