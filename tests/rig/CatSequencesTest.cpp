#include "CatSequences.h"
#include "MessageBox.h"
#include "NetworkTuning.h"
#include "PseudoTerminal.h"
#include "QtSerialLink.h"
#include "SimulatedClock.h"
#include "TestSupport.h"
#include "TuningDispatch.h"

namespace {

// Five bytes at 4800 baud take about 10 ms on the wire.
constexpr double WireSeconds = 0.0104;

// Keeps every write, in hex, and the clock's reading; a drain takes the wire
// time and can run a hook meanwhile, as a click handled during it would.
class RecordingLink : public QtSerialLink {
public:
    RecordingLink() : QtSerialLink([](int) { return QString(); }) {}
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

    SimulatedClock clock;
    QByteArray sent;
    QList<double> times;
    std::function<void()> onDrain;
};

class CatSequencesTest : public ::testing::Test {
protected:
    // Tunes `model` on port 1 to a spot.
    void tune(const char* model, const char* qrg, ModeRule rule = ModeRule::Sideband,
              const char* remark = "") {
        dispatchTuning(QStringLiteral("1"), QLatin1String(model),
                       {QLatin1String(qrg), QLatin1String(remark)}, rule, {cat, unused, unused});
    }

    RecordingLink link;
    CatSequences cat{link, link.clock};
    SilentMessages messages;
    NetworkTuning unused{nullptr, QString(), QString(), messages};
};

} // namespace

TEST_F(CatSequencesTest, EachFamilysFramesByteForByte) {
    using enum ModeRule;
    // One model of each family, Icom at several addresses, the sideband's
    // edge, rounding, the radios' own CW and data codes, no mode at all.
    const std::tuple<const char*, const char*, ModeRule, const char*, const char*> cases[] = {
        {"FT-847", "14025.5", Sideband, "", "0000000000 0140255001 0100000007 0000000080 "},
        {"FT-1000", "14025.5", Sideband, "", "502540010A 010101010C "},
        {"IC-706 MKIIG", "14025.5", Sideband, "", "FEFE5800050055021400FD FEFE58000601FD "},
        // the lower sideband below 7200 kHz, the upper from there
        {"FT-847", "7199.9", Sideband, "", "0000000000 0071999001 0000000007 0000000080 "},
        {"FT-847", "7200.0", Sideband, "", "0000000000 0072000001 0100000007 0000000080 "},
        {"FT-817", "7023.005", Sideband, "", "0000000000 0070230101 0000000007 0000000080 "},
        {"FT-920", "14025", Sideband, "", "002540010A 010101010C "}, // not 140.25 kHz
        {"FT-847", "14025.5", BandPlan, "CW 599", "0000000000 0140255001 0200000007 0000000080 "},
        {"FT-847", "14074.0", BandPlan, "FT8 -12DB",
         "0000000000 0140740001 0100000007 0000000080 "},
        {"FT-817", "14074.0", BandPlan, "FT8", "0000000000 0140740001 0A00000007 0000000080 "},
        {"FT-897", "7012.0", BandPlan, "", "0000000000 0070120001 0200000007 0000000080 "},
        {"FT-920", "14025.5", BandPlan, "CW", "502540010A 020202020C "},
        {"FT-920", "14074.0", BandPlan, "FT8", "007440010A 0A0A0A0A0C "},
        {"FT-1000", "7074.0", BandPlan, "FT8", "007470000A 010101010C "},
        {"IC-706 MKIIG", "14025.5", BandPlan, "CW", "FEFE5800050055021400FD FEFE58000603FD "},
        {"IC-7800", "14074.0", BandPlan, "FT8", "FEFE6A00050040071400FD FEFE6A000601FD "},
        {"IC-718", "14200.0", BandPlan, "", "FEFE5E00050000201400FD FEFE5E000601FD "},
        // the frequency only, and none of the mode block's wait
        {"FT-847", "14025.5", None, "CW", "0000000000 0140255001 0000000080 "},
        {"FT-1000", "14025.5", None, "CW", "502540010A "},
        {"IC-706 MKIIG", "14025.5", None, "CW", "FEFE5800050055021400FD "},
    };
    for (const auto& [model, qrg, rule, remark, frames] : cases) {
        link.sent.clear();
        tune(model, qrg, rule, remark);
        EXPECT_EQ(link.sent, frames) << model << " " << qrg << " " << remark;
    }
    // Unusable frequencies send nothing at all, and wait for nothing.
    link.sent.clear();
    const double start = link.clock.monotonicSeconds();
    for (const char* qrg : {"", "FT8", "0.0", "-7023.0", "1000000.0", "14.025.5", "14025,5"})
        for (const char* model : {"FT-847", "FT-1000", "IC-706 MKIIG"})
            tune(model, qrg);
    EXPECT_EQ(link.sent, "");
    EXPECT_EQ(link.clock.monotonicSeconds(), start);
}

// A selection made during a drain is dropped: it would interleave its blocks.
TEST_F(CatSequencesTest, WaitsCountFromTheEndOfEachDrainAndNothingInterleaves) {
    link.onDrain = [&] {
        for (const char* model : {"FT-847", "FT-1000", "IC-706 MKIIG"})
            tune(model, "7023.0");
    };
    const std::tuple<const char*, double, double, qsizetype> cases[] = {
        {"FT-847", 0.1, 0, 4},
        {"FT-1000", 0.2, 0.2, 2}, // waits first
        {"IC-706 MKIIG", 0.1, 0, 2}};
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

// Hamlib's own back ends setting CW on a pseudo-terminal send the mode the
// program sends: the FT-847's (1001) block; the IC-706MkIIG's (3011, even to a
// radio that never answers) command and mode byte, Hamlib adding the filter
// (01, the normal one) that the radio keeps as it is when none is given.
TEST_F(CatSequencesTest, TheCwModeIsTheOneHamlibSends) {
    if (QStandardPaths::findExecutable(QStringLiteral("rigctl")).isEmpty())
        GTEST_SKIP() << "Hamlib's rigctl is not installed (libhamlib-utils)";
    const char* const radios[][4] = {
        {"1001", "FT-847", "0200000007", "0200000007"},
        {"3011", "IC-706 MKIIG", "FEFE58E0060301FD", "FEFE58000603FD"}};
    for (const auto& [number, model, hamlibFrame, ourFrame] : radios) {
        PseudoTerminal radio;
        QProcess hamlib;
        hamlib.start(QStringLiteral("rigctl"), {"-m", number, "-r", radio.device(), "-C",
                                                "timeout=100,retry=0", "M", "CW", "0"});
        ASSERT_TRUE(hamlib.waitForFinished(10000));
        EXPECT_TRUE(radio.readAvailable(500).toHex().toUpper().contains(hamlibFrame)) << model;
        link.sent.clear();
        tune(model, "14025.5", ModeRule::BandPlan, "CW");
        EXPECT_TRUE(link.sent.contains(ourFrame)) << link.sent.toStdString();
    }
}
