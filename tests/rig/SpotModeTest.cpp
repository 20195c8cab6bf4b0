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

TEST(SpotMode, EachCwSegmentOfTheRegion1BandPlanFromItsLowerEdgeToItsUpperOne) {
    // lower edge (CW), last 10 Hz inside (CW), upper edge (not CW), kHz
    const double segments[][2] = {
        {1810.0, 1838.0},     {3500.0, 3570.0},   {5351.5, 5354.0},   {7000.0, 7040.0},
        {10100.0, 10130.0},   {14000.0, 14070.0}, {18068.0, 18095.0}, {21000.0, 21070.0},
        {24890.0, 24915.0},   {28000.0, 28070.0}, {50000.0, 50100.0}, {144000.0, 144110.0},
        {432000.0, 432100.0},
    };
    for (const auto& [from, to] : segments) {
        SCOPED_TRACE(from);
        EXPECT_STREQ(name(spotMode(ModeRule::BandPlan, freqWanted(from), u"")), "CW");
        EXPECT_STREQ(name(spotMode(ModeRule::BandPlan, freqWanted(to - 0.01), u"")), "CW");
        EXPECT_STRNE(name(spotMode(ModeRule::BandPlan, freqWanted(to), u"")), "CW");
        EXPECT_STRNE(name(spotMode(ModeRule::BandPlan, freqWanted(from - 0.01), u"")), "CW");
    }
}

TEST(SpotMode, EachUsualFt8AndFt4DialFrequencyAndTheAudioAboveIt) {
    // dial, kHz; whether 100 Hz below it lies outside every window (3575 is
    // inside the window of 3573)
    const std::pair<double, bool> dials[] = {
        {1840.0, true},   {3573.0, true},   {3575.0, false},  {5357.0, true},  {7047.5, true},
        {7074.0, true},   {10136.0, true},  {10140.0, false}, {14074.0, true}, {14080.0, true},
        {18100.0, true},  {18104.0, false}, {21074.0, true},  {21140.0, true}, {24915.0, true},
        {24919.0, false}, {28074.0, true},  {28180.0, true},  {50313.0, true}, {50318.0, true},
        {144174.0, true},
    };
    for (const auto& [dial, belowOutside] : dials) {
        SCOPED_TRACE(dial);
        EXPECT_STREQ(name(spotMode(ModeRule::BandPlan, freqWanted(dial), u"")), "DATA");
        EXPECT_STREQ(name(spotMode(ModeRule::BandPlan, freqWanted(dial + 3.0), u"")), "DATA");
        if (belowOutside)
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
