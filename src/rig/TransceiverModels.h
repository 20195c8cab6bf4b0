#pragma once

#include "SpotMode.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

// How a model is tuned.
enum class CatFamily {
    Yaesu,   // five-byte blocks, frequency most significant pair first
    Yaesu1,  // five-byte blocks, frequency least significant pair first
    Icom,    // CI-V frames to the radio's address
    Rigctld, // Hamlib's network daemon, shared with the station's other programs
    Flrig,   // flrig's XML-RPC server
};

// A mode the radio's CAT commands cannot set.
inline constexpr std::uint8_t NoModeCode = 0xFF;

struct TransceiverModel {
    const char* caption;
    CatFamily family;
    std::uint8_t civAddress; // Icom only
    // The radio's own codes in its set-mode command, beside LSB 0x00 and
    // USB 0x01 which all of them share.
    std::uint8_t cwCode;
    std::uint8_t dataCode; // upper sideband data; NoModeCode: the radio has none
};

// The list `Emetteur` in order: its index is what the settings store keeps,
// so new entries only ever go at the end. Mode codes from each radio's CAT
// manual, as Hamlib's back ends send them: the Yaesu set-mode parameter (CW
// 0x02; DIG 0x0A on the FT-817, FT-857 and FT-897; DATA-USB 0x0A on the
// FT-920, whose FT-1000 sibling has packet on LSB only), the CI-V mode byte
// (CW 0x03; data is not a mode byte on these Icoms).
inline constexpr std::array<TransceiverModel, 16> TransceiverModels{{
    {"FT-736", CatFamily::Yaesu, 0, 0x02, NoModeCode},
    {"FT-817", CatFamily::Yaesu, 0, 0x02, 0x0A},
    {"FT-847", CatFamily::Yaesu, 0, 0x02, NoModeCode},
    {"FT-857", CatFamily::Yaesu, 0, 0x02, 0x0A},
    {"FT-897", CatFamily::Yaesu, 0, 0x02, 0x0A},
    {"FT-920", CatFamily::Yaesu1, 0, 0x02, 0x0A},
    {"FT-1000", CatFamily::Yaesu1, 0, 0x02, NoModeCode},
    {"IC-703", CatFamily::Icom, 0x68, 0x03, NoModeCode},
    {"IC-706 MKIIG", CatFamily::Icom, 0x58, 0x03, NoModeCode},
    {"IC-718", CatFamily::Icom, 0x5E, 0x03, NoModeCode},
    {"IC-756 PRO", CatFamily::Icom, 0x5C, 0x03, NoModeCode},
    {"IC-756 PRO II", CatFamily::Icom, 0x64, 0x03, NoModeCode},
    {"IC-756 PRO III", CatFamily::Icom, 0x6E, 0x03, NoModeCode},
    {"IC-7800", CatFamily::Icom, 0x6A, 0x03, NoModeCode},
    {"Hamlib (rigctld)", CatFamily::Rigctld, 0, NoModeCode, NoModeCode},
    {"flrig", CatFamily::Flrig, 0, NoModeCode, NoModeCode},
}};

// Index selected on a first run: "FT-847".
inline constexpr int DefaultTransceiverIndex = 2;

// The model whose caption is this text (whole, case sensitive), if any.
const TransceiverModel* modelCaptioned(const QString& caption);

// Whether the radio is reached over the network rather than a serial port.
bool isNetworkRig(const TransceiverModel& model);

// The byte of the model's set-mode command for a mode; a data mode the radio
// lacks is set as the upper sideband, where data modes are worked.
std::uint8_t modeCode(const TransceiverModel& model, SpotMode mode);
