#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>

// The amateur bands behind the band pages: which band index a frequency
// belongs to, and which of the two whole-range pages lists that band too.
namespace AmateurBands {

// The whole-range pages of the band table.
constexpr std::int16_t AllHf = 0;
constexpr std::int16_t AllVhf = 14;
// The single bands they gather, by band index.
constexpr std::int16_t FirstHf = 1;
constexpr std::int16_t LastHf = 9;
constexpr std::int16_t FirstVhf = 10;
constexpr std::int16_t LastVhf = 13;

// The band index (1 to 13) whose band holds the frequency in kHz; nothing for
// a frequency outside them (60 m, 23 cm and the like have no page).
std::optional<std::int16_t> bandOf(double kHz);
// AllHf or AllVhf for a single band.
std::int16_t wholeRangeOf(std::int16_t Bande);
// "14 MHz", "all HF bands": the name of a page for its title.
QByteArray name(std::int16_t Bande);

} // namespace AmateurBands
