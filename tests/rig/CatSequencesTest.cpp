#include "CatSequences.h"
#include "QtSerialLink.h"
#include "SimulatedClock.h"
#include "TuningDispatch.h"

#include <gtest/gtest.h>

namespace {

// Five bytes at 4800 baud take about 10 ms on the wire.
constexpr double WireSeconds = 0.0104;

// Keeps every write, in hex, and the clock's reading; a drain takes the wire
// time and can run a hook meanwhile, as a click handled during it would.
class RecordingLink : public QtSerialLink {
public:
    RecordingLink() : QtSerialLink(noPorts) {}
    bool isOpen() const override { return true; }
    void write(const QByteArray& bytes) override {
        sent += bytes.toHex().toUpper() + ' ';
        times.append(clock.monotonicSeconds());
    }
    bool drain(int) override {
        if (onDrain)
            onDrain();
        clock.sleepFor(WireSeconds);
        return true;
    }

    static inline const Configuration noPorts;
    SimulatedClock clock;
    QByteArray sent;
    QList<double> times;
    std::function<void()> onDrain;
};

class CatSequencesTest : public ::testing::Test {
protected:
    // Tunes `model` on port 1 to a spot line with the QRG in columns 29 to 36.
    void tune(const char* model, const char* qrg) {
        dispatchTuning(QStringLiteral("1"), QLatin1String(model),
                       QStringLiteral(" 06-Dec 1405Z  F5ABC        %1 DL1XYZ").arg(qrg, 8), cat);
    }

    RecordingLink link;
    CatSequences cat{link, link.clock};
};

} // namespace

TEST_F(CatSequencesTest, FramesByteForByte) {
    const char* const cases[][3] = {
        {"FT-847", "14025.5", "0000000000 0140255001 0100000007 0000000080 "},
        {"FT-847", "7199.9", "0000000000 0071999001 0000000007 0000000080 "},   // lower sideband
        {"FT-847", "7200.0", "0000000000 0072000001 0100000007 0000000080 "},   // upper from here
        {"FT-817", "7023.005", "0000000000 0070230101 0000000007 0000000080 "}, // halves up
        {"FT-1000", "14025.5", "502540010A 010101010C "},
        {"FT-920", "14025", "002540010A 010101010C "}, // by value: not 140.25 kHz
        {"FT-1000", "7199.9", "909971000A 000000000C "},
        {"IC-706 MKIIG", "14025.5", "FEFE5800050055021400FD FEFE58000601FD "},
        {"IC-706 MKIIG", "7199.9", "FEFE5800050099190700FD FEFE58000600FD "},
    };
    for (const auto& [model, qrg, frames] : cases) {
        link.sent.clear();
        tune(model, qrg);
        EXPECT_EQ(link.sent, frames) << model << " " << qrg;
    }
    // Unusable frequencies send nothing at all, and wait for nothing.
    const double start = link.clock.monotonicSeconds();
    for (const char* qrg : {"", "FT8", "0.0", "-7023.0", "1000000.0", "14.025.5", "14025,5"})
        for (const char* model : {"FT-847", "FT-1000", "IC-706 MKIIG"})
            tune(model, qrg);
    EXPECT_EQ(link.sent, "FEFE5800050099190700FD FEFE58000600FD ");
    EXPECT_EQ(link.clock.monotonicSeconds(), start);
}

// A selection made during a drain is dropped: it would interleave its blocks.
TEST_F(CatSequencesTest, WaitsCountFromTheEndOfEachDrainAndNothingInterleaves) {
    link.onDrain = [&] {
        for (const char* model : {"FT-847", "FT-1000", "IC-706 MKIIG"})
            tune(model, "7023.0");
    };
    const std::tuple<const char*, double, double, qsizetype> cases[] = {
        {"FT-847", CatSequences::YaesuWait, 0, 4},
        {"FT-1000", CatSequences::Yaesu1Wait, CatSequences::Yaesu1Wait, 2}, // waits first
        {"IC-706 MKIIG", CatSequences::IcomWait, 0, 2}};
    for (const auto& [model, wait, beforeFirst, writes] : cases) {
        link.times.clear();
        const double start = link.clock.monotonicSeconds();
        tune(model, "14025.5");
        ASSERT_EQ(link.times.size(), writes) << model;
        EXPECT_GE(link.times[0] - start, beforeFirst - 1e-9) << model;
        for (qsizetype i = 1; i < link.times.size(); ++i)
            EXPECT_GE(link.times[i] - link.times[i - 1], WireSeconds + wait - 1e-9) << model;
    }
}
