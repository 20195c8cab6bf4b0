#include "YaesuCommandBlock.h"

#include <QLatin1Char>

void YaesuCommandBlock::MakeFreqKhz_Yaesu(std::int32_t FreqWanted) {
    FreqTexte = QStringLiteral("%1").arg(FreqWanted, 8, 10, QLatin1Char('0'));
    for (int i = 0; i < 8; ++i)
        Chiffres[i] = static_cast<std::int16_t>(FreqTexte[i].unicode() - '0');
    for (int i = 0; i < 4; ++i) {
        Cmd[i] = static_cast<std::uint8_t>(Chiffres[2 * i] * 16 + Chiffres[2 * i + 1]);
        FreqBcd[i] = Cmd[i];
    }
}

void YaesuCommandBlock::MakeFreqKhz_Yaesu1(std::int32_t FreqWanted) {
    MakeFreqKhz_Yaesu(FreqWanted);
    ClearCmd_Yaesu();
    for (int i = 0; i < 4; ++i)
        Cmd[i] = FreqBcd[3 - i];
}

void YaesuCommandBlock::ClearCmd_Yaesu() {
    for (int i = 0; i < 4; ++i)
        Cmd[i] = 0x00;
}
