#include "YaesuCommandBlock.h"
#include "Bytes.h"
#include "IcomFrames.h"

#include <gtest/gtest.h>

namespace {

QByteArray parameters(const YaesuCommandBlock& block) {
    return QByteArray(reinterpret_cast<const char*>(block.Cmd.data()), 4);
}

struct Packing {
    std::int32_t FreqWanted;
    const char* FreqTexte;
    QByteArray mostSignificantFirst;
    QByteArray leastSignificantFirst;
};

bool isBcd(std::uint8_t byte) {
    return (byte >> 4) <= 9 && (byte & 0x0F) <= 9;
}

} // namespace

TEST(YaesuCommandBlock, PacksTheWorkedExamplesBothWays) {
    const Packing cases[] = {
        {1402550, "01402550", bytes({0x01, 0x40, 0x25, 0x50}), bytes({0x50, 0x25, 0x40, 0x01})},
        {702300, "00702300", bytes({0x00, 0x70, 0x23, 0x00}), bytes({0x00, 0x23, 0x70, 0x00})},
        {183250, "00183250", bytes({0x00, 0x18, 0x32, 0x50}), bytes({0x50, 0x32, 0x18, 0x00})},
        {5011000, "05011000", bytes({0x05, 0x01, 0x10, 0x00}), bytes({0x00, 0x10, 0x01, 0x05})},
        {14430000, "14430000", bytes({0x14, 0x43, 0x00, 0x00}), bytes({0x00, 0x00, 0x43, 0x14})},
        {99999990, "99999990", bytes({0x99, 0x99, 0x99, 0x90}), bytes({0x90, 0x99, 0x99, 0x99})},
        {0, "00000000", bytes({0, 0, 0, 0}), bytes({0, 0, 0, 0})},
    };
    for (const Packing& c : cases) {
        YaesuCommandBlock block;
        block.Cmd[4] = 0x80;
        block.MakeFreqKhz_Yaesu(c.FreqWanted);
        EXPECT_EQ(block.FreqTexte, c.FreqTexte);
        EXPECT_EQ(parameters(block), c.mostSignificantFirst) << c.FreqTexte;
        EXPECT_EQ(block.Cmd[4], 0x80) << "the opcode is not the packer's";
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(block.Chiffres[i], c.FreqTexte[i] - '0');

        block.MakeFreqKhz_Yaesu1(c.FreqWanted);
        EXPECT_EQ(block.FreqTexte, c.FreqTexte);
        EXPECT_EQ(parameters(block), c.leastSignificantFirst) << c.FreqTexte;
        EXPECT_EQ(block.Cmd[4], 0x80);
    }
}

TEST(YaesuCommandBlock, EveryPackedByteIsABcdPair) {
    YaesuCommandBlock block;
    for (std::int32_t f = 7; f <= 99999999; f = f * 3 + 11) {
        block.MakeFreqKhz_Yaesu(f);
        for (int i = 0; i < 4; ++i)
            ASSERT_TRUE(isBcd(block.Cmd[i])) << f;
        block.MakeFreqKhz_Yaesu1(f);
        for (int i = 0; i < 4; ++i)
            ASSERT_TRUE(isBcd(block.Cmd[i])) << f;
    }
}

TEST(IcomFrames, TheHighestFrequencyFillsNineOfTheTenDigits) {
    EXPECT_EQ(civSetFrequency(0x6A, 99999990),
              bytes({0xFE, 0xFE, 0x6A, 0x00, 0x05, 0x00, 0x99, 0x99, 0x99, 0x09, 0xFD}));
}
