#include "SpotMode.h"

#include <gtest/gtest.h>

namespace {

std::int32_t freqWanted(double kilohertz) {
    return static_cast<std::int32_t>(kilohertz * 100 + 0.5);
}

const char* name(std::optional<SpotMode> mode) {
    if (!mode)
        return "none";
    switch (*mode) {
    case SpotMode::LowerSideband:
        return "LSB";
    case SpotMode::UpperSideband:
        return "USB";
    case SpotMode::Cw:
        return "CW";
    case SpotMode::Data:
        return "DATA";
    }
    return "?";
}

} // namespace

TEST(SpotMode, TheBandPlansEdgesAndTheDialFrequenciesOfWsjtx) {
    // CW segments of the IARU Region 1 plan at their ends: the lowest, the
    // odd 60 m one and the highest; lower edge (CW), last 10 Hz inside (CW),
    // upper edge (not CW), kHz.
    for (const auto& [from, to] : {std::pair{1810.0, 1838.0}, std::pair{5351.5, 5354.0},
                                   std::pair{14000.0, 14070.0}, std::pair{432000.0, 432100.0}}) {
        SCOPED_TRACE(from);
        EXPECT_STREQ(name(spotMode(ModeRule::BandPlan, freqWanted(from), u"")), "CW");
        EXPECT_STREQ(name(spotMode(ModeRule::BandPlan, freqWanted(to - 0.01), u"")), "CW");
        EXPECT_STRNE(name(spotMode(ModeRule::BandPlan, freqWanted(to), u"")), "CW");
        EXPECT_STRNE(name(spotMode(ModeRule::BandPlan, freqWanted(from - 0.01), u"")), "CW");
    }
    // WSJT-X's default FT8 and FT4 dials, lowest and highest among them, with
    // the audio above them; 100 Hz below lies outside every window.
    for (const double dial : {1840.0, 7047.5, 14074.0, 14080.0, 50313.0, 144174.0}) {
        SCOPED_TRACE(dial);
        EXPECT_STREQ(name(spotMode(ModeRule::BandPlan, freqWanted(dial), u"")), "DATA");
        EXPECT_STREQ(name(spotMode(ModeRule::BandPlan, freqWanted(dial + 3.0), u"")), "DATA");
        EXPECT_STRNE(name(spotMode(ModeRule::BandPlan, freqWanted(dial - 0.1), u"")), "DATA");
    }
}

TEST(SpotMode, RemarkFirstThenBandPlanThenSideband) {
    struct Case {
        const char* rule;
        double kilohertz;
        const char16_t* remark;
        const char* mode;
    };
    const Case cases[] = {
        {"sideband", 7199.9, u"CW", "LSB"},
        {"sideband", 7200.0, u"FT8", "USB"},
        {"sideband", 14025.0, u"", "USB"},
        {"whatever", 3700.0, u"CW", "LSB"}, // an unknown rule is the sideband one
        {"none", 14025.0, u"CW", "none"},
        {"bandplan", 14250.0, u"CW 599 TNX", "CW"},
        {"bandplan", 14250.0, u"UP 2 (CW)", "CW"},
        {"bandplan", 14250.0, u"CWT CONTEST", "USB"}, // a word, not a prefix
        {"bandplan", 3790.0, u"QSB", "LSB"},
        {"bandplan", 14025.0, u"FT8 -12DB", "DATA"}, // the remark beats the segment
        {"bandplan", 7010.0, u"RTTY", "DATA"},
        {"bandplan", 21090.0, u"PSK31", "DATA"},
        {"bandplan", 14078.0, u"JS8CALL", "USB"},
        {"bandplan", 14078.0, u"JS8 CALL", "DATA"},
        {"bandplan", 18110.0, u"JT65", "DATA"},
        {"bandplan", 144300.0, u"FT4", "DATA"},
        {"bandplan", 3573.5, u"CW", "CW"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.rule) + " " + std::to_string(c.kilohertz));
        EXPECT_STREQ(name(spotMode(modeRuleNamed(QString::fromLatin1(c.rule)),
                                   freqWanted(c.kilohertz), QStringView(c.remark))),
                     c.mode);
    }
}
