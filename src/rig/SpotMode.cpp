#include "SpotMode.h"

#include "BandPlan.h"
#include "CatOpcodes.h"
#include "FrequencyFormat.h"

#include <QRegularExpression>
#include <array>

namespace {

// Digital modes a spotter names in the remark.
constexpr std::array<const char*, 14> DigitalModeWords{
    "FT8",  "FT4",    "JT65", "JT9",  "JS8",    "PSK31", "PSK63",
    "RTTY", "MSK144", "Q65",  "FST4", "OLIVIA", "SSTV",  "WSPR",
};

bool namesWord(QStringView remark, const char* word) {
    const QRegularExpression whole(
        QStringLiteral("(^|[^A-Z0-9])%1($|[^A-Z0-9])").arg(QLatin1String(word)),
        QRegularExpression::CaseInsensitiveOption);
    return whole.match(remark).hasMatch();
}

bool namesDigitalMode(QStringView remark) {
    for (const char* word : DigitalModeWords) {
        if (namesWord(remark, word))
            return true;
    }
    return false;
}

} // namespace

ModeRule modeRuleNamed(const QString& name) {
    if (name == QLatin1String("bandplan"))
        return ModeRule::BandPlan;
    if (name == QLatin1String("none"))
        return ModeRule::None;
    return ModeRule::Sideband;
}

std::optional<SpotMode> spotMode(ModeRule rule, std::int32_t FreqWanted, QStringView remark) {
    const SpotMode sideband = sidebandFor(FreqWanted) == ModeLowerSideband
                                  ? SpotMode::LowerSideband
                                  : SpotMode::UpperSideband;
    switch (rule) {
    case ModeRule::None:
        return std::nullopt;
    case ModeRule::Sideband:
        return sideband;
    case ModeRule::BandPlan:
        break;
    }
    // What the spotter wrote wins over where the frequency lies.
    if (namesWord(remark, "CW"))
        return SpotMode::Cw;
    if (namesDigitalMode(remark) || onDigitalDialFrequency(FreqWanted))
        return SpotMode::Data;
    if (inCwSegment(FreqWanted))
        return SpotMode::Cw;
    return sideband;
}
