#include "CatSequences.h"

#include "CatOpcodes.h"
#include "Clock.h"
#include "FrequencyFormat.h"
#include "IcomFrames.h"
#include "SerialLink.h"
#include "TimeOfDay.h"

CatSequences::CatSequences(SerialLink& link, Clock& clock) : link_(link), clock_(clock) {}

std::optional<std::uint8_t> CatSequences::sideband(std::int32_t FreqWanted) {
    return sidebandFor(FreqWanted);
}

void CatSequences::Yaesu(const QString& QRG, const ModeCodeFor& modeFor) {
    runFor(QRG, [this, &modeFor](std::int32_t FreqWanted) {
        block_.ClearCmd_Yaesu();
        SendCmd_Yaesu(opcodeOf(YaesuCommand::CatOn));
        Attente(clock_, YaesuWait);
        block_.MakeFreqKhz_Yaesu(FreqWanted);
        SendCmd_Yaesu(opcodeOf(YaesuCommand::SetFrequency));
        Attente(clock_, YaesuWait);
        if (const std::optional<std::uint8_t> mode = modeFor(FreqWanted)) {
            block_.Cmd[0] = *mode;
            SendCmd_Yaesu(opcodeOf(YaesuCommand::SetMode));
            Attente(clock_, YaesuWait);
        }
        SendCmd_Yaesu(opcodeOf(YaesuCommand::CatOff));
    });
}

void CatSequences::Yaesu1(const QString& QRG, const ModeCodeFor& modeFor) {
    runFor(QRG, [this, &modeFor](std::int32_t FreqWanted) {
        block_.ClearCmd_Yaesu();
        Attente(clock_, Yaesu1Wait);
        block_.MakeFreqKhz_Yaesu1(FreqWanted);
        SendCmd_Yaesu(opcodeOf(YaesuCommand::SetFrequency1));
        const std::optional<std::uint8_t> mode = modeFor(FreqWanted);
        if (!mode)
            return;
        Attente(clock_, Yaesu1Wait);
        for (int i = 0; i < 4; ++i)
            block_.Cmd[i] = *mode;
        SendCmd_Yaesu(opcodeOf(YaesuCommand::SetMode1));
    });
}

void CatSequences::Icom(std::uint8_t Modele, const QString& QRG, const ModeCodeFor& modeFor) {
    runFor(QRG, [this, Modele, &modeFor](std::int32_t FreqWanted) {
        send(civSetFrequency(Modele, FreqWanted));
        const std::optional<std::uint8_t> mode = modeFor(FreqWanted);
        if (!mode)
            return;
        Attente(clock_, IcomWait);
        send(civSetMode(Modele, *mode));
    });
}

void CatSequences::runFor(const QString& QRG, const std::function<void(std::int32_t)>& steps) {
    if (running_)
        return;
    const std::optional<std::int32_t> FreqWanted = Format_QRG(QRG);
    if (!FreqWanted)
        return;
    running_ = true;
    steps(*FreqWanted);
    running_ = false;
}

void CatSequences::SendCmd_Yaesu(std::uint8_t Command) {
    // Byte 4 keeps the last opcode that went out on an open port.
    if (link_.isOpen())
        block_.Cmd[4] = Command;
    send(QByteArray(reinterpret_cast<const char*>(block_.Cmd.data()),
                    static_cast<qsizetype>(block_.Cmd.size())));
    block_.ClearCmd_Yaesu();
}

void CatSequences::send(const QByteArray& bytes) {
    link_.discardInput();
    if (!link_.isOpen())
        return;
    link_.write(bytes);
    // The wait before the next block counts from here, once the bytes are out.
    // The drain handles no window event, so no other selection can start a
    // sequence meanwhile.
    link_.drain(DrainLimitMs);
}
