#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

// The mode a click sets on the radio, besides the frequency.
enum class SpotMode {
    LowerSideband,
    UpperSideband,
    Cw,
    Data, // FT8, RTTY...: upper sideband data
};

// What a click tunes the radio to: the spot's QRG text, kilohertz with blanks
// around, and its remark, which may name the mode.
struct TuningSpot {
    QString QRG;
    QString remark;
};

// How that mode is chosen, key `mode` of the configuration file.
enum class ModeRule {
    Sideband, // "sideband": lower below 7200 kHz, upper from there on
    BandPlan, // "bandplan": CW or data from the remark or the band plan
    None,     // "none": the frequency only, the mode left as it is
};

// By the words of key `mode`; anything else is the sideband rule.
ModeRule modeRuleNamed(const QString& name);

// The mode of a spot at FreqWanted (10 Hz units) with this remark; nothing
// under the rule None.
std::optional<SpotMode> spotMode(ModeRule rule, std::int32_t FreqWanted, QStringView remark);
