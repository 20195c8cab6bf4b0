#pragma once

#include <QString>
#include <array>
#include <cstdint>

// The Yaesu command block and the frequency packed into it. One block serves
// one sequence at a time.
class YaesuCommandBlock {
public:
    // Writes FreqWanted (0 to MaxFreqWanted, in 10 Hz) as eight BCD digits into
    // `Cmd` bytes 0 to 3, the two most significant digits in byte 0. Byte 4,
    // the opcode, is left alone.
    void MakeFreqKhz_Yaesu(std::int32_t FreqWanted);
    // The same with the byte order reversed: the two least significant digits
    // in byte 0, as the FT-920 and FT-1000 want them.
    void MakeFreqKhz_Yaesu1(std::int32_t FreqWanted);
    // Zeroes the parameter bytes; the opcode keeps its value.
    void ClearCmd_Yaesu();

    // The frequency as eight digits, zero-padded on the left.
    QString FreqTexte;
    // The value of each digit of FreqTexte, in indices 0 to 7.
    std::array<std::int16_t, 13> Chiffres{};
    // Parameter bytes 0 to 3, opcode in byte 4; sent byte 0 first.
    std::array<std::uint8_t, 5> Cmd{};
    // Work copy for reversing the byte order.
    std::array<std::uint8_t, 5> FreqBcd{};
};
