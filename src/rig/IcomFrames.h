#pragma once

#include <QByteArray>
#include <cstdint>

// CI-V frames from the controller (address 0x00) to the radio at `address`.

// Set frequency: FreqWanted (10 Hz units, 0 to MaxFreqWanted) as ten BCD
// digits of hertz in five bytes, least significant pair first.
QByteArray civSetFrequency(std::uint8_t address, std::int32_t FreqWanted);

// Set mode: one mode byte (ModeLowerSideband, ModeUpperSideband, or the
// radio's CW code).
QByteArray civSetMode(std::uint8_t address, std::uint8_t mode);
