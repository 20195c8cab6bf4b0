#include "CatSequences.h"
#include "Bytes.h"
#include "RecordingLink.h"
#include "SimulatedClock.h"
#include "SpotLine.h"
#include "TuningDispatch.h"

#include <gtest/gtest.h>

namespace {

// Five bytes at 4800 baud take about 10 ms on the wire.
constexpr double WireSeconds = 0.0104;

class CatSequencesTest : public ::testing::Test {
protected:
    CatSequencesTest() { link.open(); }

    // Time from the end of each block's drain to the next write.
    QList<double> gapsAfterDrains() const {
        QList<double> gaps;
        double drainEnd = -1;
        for (const RecordingLink::Event& event : link.events) {
            if (event.kind == RecordingLink::Event::DrainEnd)
                drainEnd = event.time;
            else if (event.kind == RecordingLink::Event::Write && drainEnd >= 0)
                gaps.append(event.time - drainEnd);
        }
        return gaps;
    }

    SimulatedClock clock;
    RecordingLink link{clock, WireSeconds};
    CatSequences cat{link, clock};
};

} // namespace

TEST_F(CatSequencesTest, YaesuSendsOpeningFrequencySidebandAndClosingBlocks) {
    cat.Yaesu(spotLine("14025.5"));
    EXPECT_EQ(link.writes(),
              QList<QByteArray>(
                  {bytes({0x00, 0x00, 0x00, 0x00, 0x00}), bytes({0x01, 0x40, 0x25, 0x50, 0x01}),
                   bytes({0x01, 0x00, 0x00, 0x00, 0x07}), bytes({0x00, 0x00, 0x00, 0x00, 0x80})}));
    EXPECT_EQ(cat.block().FreqTexte, "01402550");
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(cat.block().Cmd.data()), 5),
              bytes({0, 0, 0, 0, 0x80}));

    link.events.clear();
    cat.Yaesu(spotLine("7023.0"));
    EXPECT_EQ(link.writes().mid(1, 2), QList<QByteArray>({bytes({0x00, 0x70, 0x23, 0x00, 0x01}),
                                                          bytes({0x00, 0x00, 0x00, 0x00, 0x07})}));
    link.events.clear();
    cat.Yaesu(spotLine("144300.0"));
    EXPECT_EQ(link.writes().mid(1, 2), QList<QByteArray>({bytes({0x14, 0x43, 0x00, 0x00, 0x01}),
                                                          bytes({0x01, 0x00, 0x00, 0x00, 0x07})}));
}

TEST_F(CatSequencesTest, Yaesu1SendsFrequencyThenSidebandInEveryByte) {
    cat.Yaesu1(spotLine("14025.5"));
    EXPECT_EQ(link.writes(), QList<QByteArray>({bytes({0x50, 0x25, 0x40, 0x01, 0x0A}),
                                                bytes({0x01, 0x01, 0x01, 0x01, 0x0C})}));
    link.events.clear();
    cat.Yaesu1(spotLine("7023.0"));
    EXPECT_EQ(link.writes(), QList<QByteArray>({bytes({0x00, 0x23, 0x70, 0x00, 0x0A}),
                                                bytes({0x00, 0x00, 0x00, 0x00, 0x0C})}));
}

TEST_F(CatSequencesTest, EachBlockIsDrainedAndTheWaitCountsFromTheDrainsEnd) {
    const double start = clock.monotonicSeconds();
    cat.Yaesu(spotLine("14025.5"));
    const QList<double> gaps = gapsAfterDrains();
    ASSERT_EQ(gaps.size(), 3);
    for (const double gap : gaps)
        EXPECT_GE(gap, CatSequences::YaesuWait);
    EXPECT_LT(clock.monotonicSeconds() - start,
              3 * CatSequences::YaesuWait + 4 * WireSeconds + 0.01);

    link.events.clear();
    const double start1 = clock.monotonicSeconds();
    cat.Yaesu1(spotLine("14025.5"));
    ASSERT_EQ(link.events.value(1).kind, RecordingLink::Event::Write);
    EXPECT_GE(link.events[1].time - start1, CatSequences::Yaesu1Wait); // the wait comes first
    ASSERT_EQ(gapsAfterDrains().size(), 1);
    EXPECT_GE(gapsAfterDrains()[0], CatSequences::Yaesu1Wait);

    link.events.clear();
    cat.Icom(0x58, spotLine("14025.5"));
    ASSERT_EQ(gapsAfterDrains().size(), 1);
    EXPECT_GE(gapsAfterDrains()[0], CatSequences::IcomWait);
}

TEST_F(CatSequencesTest, ClosedPortWritesNothingButStillWaits) {
    link.close();
    const double start = clock.monotonicSeconds();
    cat.Yaesu(spotLine("14025.5"));
    EXPECT_GE(clock.monotonicSeconds() - start, 3 * CatSequences::YaesuWait);
    cat.Yaesu1(spotLine("14025.5"));
    EXPECT_GE(clock.monotonicSeconds() - start,
              3 * CatSequences::YaesuWait + 2 * CatSequences::Yaesu1Wait);
    cat.Icom(0x58, spotLine("14025.5"));
    EXPECT_TRUE(link.writes().isEmpty());
    // No opcode went out, so none is kept; the parameters are cleared.
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(cat.block().Cmd.data()), 5),
              bytes({0, 0, 0, 0, 0}));
}

TEST_F(CatSequencesTest, AnUnusableFrequencySendsNothingAndTakesNoTime) {
    for (const char* qrg : {"", "FT8", "0.0", "-7023.0", "1000000.0", "14.025.5"}) {
        const double start = clock.monotonicSeconds();
        cat.Yaesu(spotLine(qrg));
        cat.Yaesu1(spotLine(qrg));
        cat.Icom(0x58, spotLine(qrg));
        EXPECT_EQ(clock.monotonicSeconds(), start) << qrg;
    }
    cat.Yaesu(QStringLiteral(" too short"));
    EXPECT_TRUE(link.events.isEmpty());
}

TEST_F(CatSequencesTest, ASelectionDuringADrainDoesNotInterleave) {
    int reentries = 0;
    link.onDrain = [&] {
        ++reentries;
        cat.Yaesu(spotLine("7023.0"));
        cat.Yaesu1(spotLine("7023.0"));
        cat.Icom(0x58, spotLine("7023.0"));
    };
    cat.Yaesu(spotLine("14025.5"));
    EXPECT_EQ(reentries, 4);
    EXPECT_EQ(link.writes(),
              QList<QByteArray>(
                  {bytes({0x00, 0x00, 0x00, 0x00, 0x00}), bytes({0x01, 0x40, 0x25, 0x50, 0x01}),
                   bytes({0x01, 0x00, 0x00, 0x00, 0x07}), bytes({0x00, 0x00, 0x00, 0x00, 0x80})}));

    // Once it has ended the next selection runs normally.
    link.onDrain = nullptr;
    link.events.clear();
    cat.Yaesu(spotLine("7023.0"));
    EXPECT_EQ(link.writes().value(1), bytes({0x00, 0x70, 0x23, 0x00, 0x01}));
}

TEST_F(CatSequencesTest, DispatchDoesNothingWithoutAPortOrAKnownModel) {
    dispatchTuning(QStringLiteral("0"), QStringLiteral("FT-847"), spotLine("14025.5"), cat);
    dispatchTuning(QString(), QStringLiteral("FT-847"), spotLine("14025.5"), cat);
    for (const char* caption : {"", "ft-847", "FT-847 ", "FT-84", "IC-756"})
        dispatchTuning(QStringLiteral("3"), QLatin1String(caption), spotLine("14025.5"), cat);
    EXPECT_TRUE(link.events.isEmpty());
    EXPECT_EQ(clock.monotonicSeconds(), SimulatedClock().monotonicSeconds());
}
