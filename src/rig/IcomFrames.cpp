#include "IcomFrames.h"

#include "CatOpcodes.h"

namespace {

QByteArray civFrame(std::uint8_t address, CivCommand command, const QByteArray& data) {
    QByteArray frame;
    frame.append(static_cast<char>(CivPreamble));
    frame.append(static_cast<char>(CivPreamble));
    frame.append(static_cast<char>(address));
    frame.append(static_cast<char>(CivControllerAddress));
    frame.append(static_cast<char>(opcodeOf(command)));
    frame.append(data);
    frame.append(static_cast<char>(CivEndOfMessage));
    return frame;
}

} // namespace

QByteArray civSetFrequency(std::uint8_t address, std::int32_t FreqWanted) {
    std::int64_t hertz = static_cast<std::int64_t>(FreqWanted) * 10;
    QByteArray digits;
    for (int i = 0; i < 5; ++i) {
        const int low = static_cast<int>(hertz % 10);
        const int high = static_cast<int>(hertz / 10 % 10);
        digits.append(static_cast<char>(high * 16 + low));
        hertz /= 100;
    }
    return civFrame(address, CivCommand::SetFrequency, digits);
}

QByteArray civSetMode(std::uint8_t address, std::uint8_t mode) {
    return civFrame(address, CivCommand::SetMode, QByteArray(1, static_cast<char>(mode)));
}
