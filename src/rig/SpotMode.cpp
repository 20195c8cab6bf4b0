#include "SpotMode.h"

#include "BandPlan.h"
#include "CatOpcodes.h"
#include "ConfigurationKeys.h"
#include "FrequencyFormat.h"

#include <algorithm>
#include <array>

namespace {

// Digital modes a spotter names in the remark.
constexpr std::array<const char*, 14> DigitalModeWords{
    "FT8",  "FT4",    "JT65", "JT9",  "JS8",    "PSK31", "PSK63",
    "RTTY", "MSK144", "Q65",  "FST4", "OLIVIA", "SSTV",  "WSPR",
};

bool isWordCharacter(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
}

// The word stands whole in the remark, in any case: a run of ASCII letters
// and digits. Compared run by run, as every spot of a refresh is asked.
bool namesWord(QStringView remark, const char* word) {
    const QLatin1StringView wanted(word);
    for (qsizetype at = 0; at < remark.size();) {
        if (!isWordCharacter(remark[at])) {
            ++at;
            continue;
        }
        qsizetype end = at;
        while (end < remark.size() && isWordCharacter(remark[end]))
            ++end;
        if (remark.sliced(at, end - at).compare(wanted, Qt::CaseInsensitive) == 0)
            return true;
        at = end;
    }
    return false;
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
    const auto& words = ConfigWords::ModeRules;
    const auto named = std::find_if(words.begin(), words.end(), [&](const ConfigWord& word) {
        return name == QLatin1String(word.word);
    });
    return named == words.end() ? ModeRule::Sideband : static_cast<ModeRule>(named - words.begin());
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
