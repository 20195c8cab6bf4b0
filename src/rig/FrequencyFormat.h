#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

// Frequencies travel between the formatting steps as whole numbers of 10 Hz
// (`FreqWanted`): 14025.5 kHz is 1402550.

// Eight decimal digits are all a CAT block can carry.
inline constexpr std::int32_t MaxFreqWanted = 99999999;

// Reads the QRG text, kilohertz with any number of decimals and blanks around,
// by its value, rounded to the nearest 10 Hz. Empty when the text is blank,
// not a plain decimal number, or outside 1 to MaxFreqWanted once rounded: such
// a spot must not tune the radio at all.
std::optional<std::int32_t> Format_QRG(QStringView Freq_In);

// Below 7200.0 kHz the amateur custom is the lower sideband, from there on the
// upper one.
std::uint8_t sidebandFor(std::int32_t FreqWanted);
