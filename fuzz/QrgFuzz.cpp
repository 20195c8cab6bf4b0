// The frequency column of a spot, read by value and packed into CAT bytes.
#include "FrequencyFormat.h"
#include "YaesuCommandBlock.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

namespace {

bool isBcd(std::uint8_t byte) {
    return (byte >> 4) <= 9 && (byte & 0x0F) <= 9;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<std::int32_t> freq = Format_QRG(text);
    if (!freq)
        return 0;
    if (*freq < 1 || *freq > MaxFreqWanted)
        std::abort();
    YaesuCommandBlock block;
    block.MakeFreqKhz_Yaesu(*freq);
    for (int i = 0; i < 4; ++i) {
        if (!isBcd(block.Cmd[static_cast<std::size_t>(i)]))
            std::abort();
    }
    block.MakeFreqKhz_Yaesu1(*freq);
    for (int i = 0; i < 4; ++i) {
        if (!isBcd(block.Cmd[static_cast<std::size_t>(i)]))
            std::abort();
    }
    if (block.FreqTexte.size() != 8)
        std::abort();
    return 0;
}
