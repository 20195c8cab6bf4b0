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

// Passes everything to the real port and notes, on the real clock, when each
// write starts and each drain ends.
class TimedLink : public SerialLink {
public:
    TimedLink(SerialLink& port, const Clock& clock) : port_(port), clock_(clock) {}

    void setPortNumber(int number) override { port_.setPortNumber(number); }
    int portNumber() const override { return port_.portNumber(); }
    void setSettings(const QString& settings) override { port_.setSettings(settings); }
    QString settings() const override { return port_.settings(); }
    void setRawMode() override { port_.setRawMode(); }
    bool open() override { return port_.open(); }
    void close() override { port_.close(); }
    bool isOpen() const override { return port_.isOpen(); }
    void discardInput() override { port_.discardInput(); }
    void write(const QByteArray& bytes) override {
        if (!drainEnds.isEmpty())
            gaps.append(clock_.monotonicSeconds() - drainEnds.last());
        port_.write(bytes);
    }
    bool drain(int maxMs) override {
        const bool drained = port_.drain(maxMs);
        drainEnds.append(clock_.monotonicSeconds());
        return drained;
    }

    QList<double> drainEnds;
    QList<double> gaps; // from the end of a drain to the next write

private:
    SerialLink& port_;
    const Clock& clock_;
};

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
    TimedLink link{port, clock};
    CatSequences cat{link, clock};
};

} // namespace

TEST_F(SerialTuningTest, Ft847GetsTheFourBlocksInOrderWithTheirWaits) {
    EXPECT_GE(tune("FT-847", "14025.5"), 3 * CatSequences::YaesuWait);
    EXPECT_EQ(pty.readAvailable(), bytes({0x00, 0x00, 0x00, 0x00, 0x00, //
                                          0x01, 0x40, 0x25, 0x50, 0x01, //
                                          0x01, 0x00, 0x00, 0x00, 0x07, //
                                          0x00, 0x00, 0x00, 0x00, 0x80}));
    ASSERT_EQ(link.gaps.size(), 3);
    for (const double gap : link.gaps)
        EXPECT_GE(gap, CatSequences::YaesuWait);
}

TEST_F(SerialTuningTest, Ft1000GetsFrequencyAndSidebandWithTheirWaits) {
    EXPECT_GE(tune("FT-1000", "7023.0"), 2 * CatSequences::Yaesu1Wait);
    EXPECT_EQ(pty.readAvailable(), bytes({0x00, 0x23, 0x70, 0x00, 0x0A, //
                                          0x00, 0x00, 0x00, 0x00, 0x0C}));
    ASSERT_EQ(link.gaps.size(), 1);
    EXPECT_GE(link.gaps[0], CatSequences::Yaesu1Wait);
}

TEST_F(SerialTuningTest, Ic706GetsFrequencyAndModeFrames) {
    EXPECT_GE(tune("IC-706 MKIIG", "14025.5"), CatSequences::IcomWait);
    EXPECT_EQ(pty.readAvailable(),
              bytes({0xFE, 0xFE, 0x58, 0x00, 0x05, 0x00, 0x55, 0x02, 0x14, 0x00, 0xFD, //
                     0xFE, 0xFE, 0x58, 0x00, 0x06, 0x01, 0xFD}));
    ASSERT_EQ(link.gaps.size(), 1);
    EXPECT_GE(link.gaps[0], CatSequences::IcomWait);
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
