#pragma once

#include <array>
#include <cstdint>

// The commands the tuning sequences send, one row each, in the words of the
// radios' CAT manuals, so that each can be checked against its manual line by
// line.

// Yaesu five-byte blocks: four parameter bytes, then the opcode.
enum class YaesuCommand {
    CatOn,         // FT-736 to FT-897; parameters 00 00 00 00
    SetFrequency,  // FT-736 to FT-897; BCD, most significant pair first
    SetMode,       // FT-736 to FT-897; mode, 00, 00, 00
    CatOff,        // FT-736 to FT-897; parameters 00 00 00 00
    SetFrequency1, // FT-920, FT-1000; BCD, least significant pair first
    SetMode1,      // FT-920, FT-1000; the mode in all four bytes
};

struct YaesuOpcode {
    YaesuCommand command;
    std::uint8_t opcode;
};

inline constexpr std::array<YaesuOpcode, 6> YaesuOpcodes{{
    {YaesuCommand::CatOn, 0x00},
    {YaesuCommand::SetFrequency, 0x01},
    {YaesuCommand::SetMode, 0x07},
    {YaesuCommand::CatOff, 0x80},
    {YaesuCommand::SetFrequency1, 0x0A},
    {YaesuCommand::SetMode1, 0x0C},
}};

constexpr std::uint8_t opcodeOf(YaesuCommand command) {
    for (const YaesuOpcode& row : YaesuOpcodes)
        if (row.command == command)
            return row.opcode;
    return 0xFF; // unreachable: every command has its row
}

// Icom CI-V frames: preamble twice, radio address, controller address,
// command, data, end of message.
enum class CivCommand {
    SetFrequency, // ten BCD digits of hertz, least significant pair first
    SetMode,      // one mode byte
};

struct CivOpcode {
    CivCommand command;
    std::uint8_t opcode;
};

inline constexpr std::array<CivOpcode, 2> CivOpcodes{{
    {CivCommand::SetFrequency, 0x05},
    {CivCommand::SetMode, 0x06},
}};

constexpr std::uint8_t opcodeOf(CivCommand command) {
    for (const CivOpcode& row : CivOpcodes)
        if (row.command == command)
            return row.opcode;
    return 0xFF; // unreachable: every command has its row
}

inline constexpr std::uint8_t CivPreamble = 0xFE;
inline constexpr std::uint8_t CivControllerAddress = 0x00;
inline constexpr std::uint8_t CivEndOfMessage = 0xFD;

// The mode byte is the same for both Yaesu families and for CI-V.
inline constexpr std::uint8_t ModeLowerSideband = 0x00;
inline constexpr std::uint8_t ModeUpperSideband = 0x01;
