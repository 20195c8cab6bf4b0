#pragma once

#include <QString>
#include <array>
#include <cstdint>

// How a model is tuned.
enum class CatFamily {
    Yaesu,  // five-byte blocks, frequency most significant pair first
    Yaesu1, // five-byte blocks, frequency least significant pair first
    Icom,   // CI-V frames to the radio's address
};

struct TransceiverModel {
    const char* caption;
    CatFamily family;
    std::uint8_t civAddress; // Icom only
};

// The list `Emetteur` in order: its index is what the settings store keeps.
inline constexpr std::array<TransceiverModel, 14> TransceiverModels{{
    {"FT-736", CatFamily::Yaesu, 0},
    {"FT-817", CatFamily::Yaesu, 0},
    {"FT-847", CatFamily::Yaesu, 0},
    {"FT-857", CatFamily::Yaesu, 0},
    {"FT-897", CatFamily::Yaesu, 0},
    {"FT-920", CatFamily::Yaesu1, 0},
    {"FT-1000", CatFamily::Yaesu1, 0},
    {"IC-703", CatFamily::Icom, 0x68},
    {"IC-706 MKIIG", CatFamily::Icom, 0x58},
    {"IC-718", CatFamily::Icom, 0x5E},
    {"IC-756 PRO", CatFamily::Icom, 0x5C},
    {"IC-756 PRO II", CatFamily::Icom, 0x64},
    {"IC-756 PRO III", CatFamily::Icom, 0x6E},
    {"IC-7800", CatFamily::Icom, 0x6A},
}};

// Index selected on a first run: "FT-847".
inline constexpr int DefaultTransceiverIndex = 2;
