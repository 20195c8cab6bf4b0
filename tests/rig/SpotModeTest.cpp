#include "SpotMode.h"

#include <gtest/gtest.h>

namespace {

std::optional<SpotMode> modeOf(double kilohertz, QStringView remark = u"",
                               ModeRule rule = ModeRule::BandPlan) {
    return spotMode(rule, static_cast<std::int32_t>(kilohertz * 100 + 0.5), remark);
}

} // namespace

TEST(SpotMode, TheBandPlansEdgesAndTheDialFrequenciesOfWsjtx) {
    // CW segments of the IARU Region 1 plan at their ends: the lowest, the
    // odd 60 m one and the highest; lower edge (CW), last 10 Hz inside (CW),
    // upper edge (not CW), kHz.
    for (const auto& [from, to] : {std::pair{1810.0, 1838.0}, std::pair{5351.5, 5354.0},
                                   std::pair{14000.0, 14070.0}, std::pair{432000.0, 432100.0}}) {
        SCOPED_TRACE(from);
        EXPECT_EQ(modeOf(from), SpotMode::Cw);
        EXPECT_EQ(modeOf(to - 0.01), SpotMode::Cw);
        EXPECT_NE(modeOf(to), SpotMode::Cw);
        EXPECT_NE(modeOf(from - 0.01), SpotMode::Cw);
    }
    // WSJT-X's default FT8 and FT4 dials, lowest and highest among them, with
    // the audio above them; 100 Hz below lies outside every window.
    for (const double dial : {1840.0, 7047.5, 14074.0, 14080.0, 50313.0, 144174.0}) {
        SCOPED_TRACE(dial);
        EXPECT_EQ(modeOf(dial), SpotMode::Data);
        EXPECT_EQ(modeOf(dial + 3.0), SpotMode::Data);
        EXPECT_NE(modeOf(dial - 0.1), SpotMode::Data);
    }
}

TEST(SpotMode, RemarkFirstThenBandPlanThenSideband) {
    using enum SpotMode;
    const std::tuple<const char*, double, const char16_t*, std::optional<SpotMode>> cases[] = {
        {"sideband", 7199.9, u"CW", LowerSideband},
        {"whatever", 3700.0, u"CW", LowerSideband}, // an unknown rule is the sideband one
        {"none", 14025.0, u"CW", std::nullopt},
        {"bandplan", 14250.0, u"CW 599 TNX", Cw},
        {"bandplan", 14250.0, u"UP 2 (CW)", Cw},
        {"bandplan", 14250.0, u"CWT CONTEST", UpperSideband}, // a word, not a prefix
        {"bandplan", 3790.0, u"QSB", LowerSideband},
        {"bandplan", 14025.0, u"FT8 -12DB", Data}, // the remark beats the segment
        {"bandplan", 7010.0, u"RTTY", Data},
        {"bandplan", 14078.0, u"JS8CALL", UpperSideband},
        {"bandplan", 14078.0, u"JS8 CALL", Data},
        {"bandplan", 144300.0, u"FT4", Data},
        {"bandplan", 3573.5, u"CW", Cw},
    };
    for (const auto& [rule, kilohertz, remark, mode] : cases)
        EXPECT_EQ(modeOf(kilohertz, remark, modeRuleNamed(QString::fromLatin1(rule))), mode)
            << rule << " " << kilohertz;
}
