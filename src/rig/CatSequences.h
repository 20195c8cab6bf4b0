#pragma once

#include "YaesuCommandBlock.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class Clock;
class SerialLink;

// The tuning sequences: the command blocks that set a transceiver to a spot's
// frequency and sideband, with the waits the radios need between them.
//
// Each sequence reads the QRG columns of the spot line and sends nothing at
// all when they hold no usable frequency. A sequence blocks the caller until
// its last block has left; a call made while one runs (from inside a drain,
// say) is dropped, since the two would interleave their blocks.
class CatSequences {
public:
    // The byte of the set-mode command for a frequency (10 Hz units), or
    // nothing to leave the radio's mode as it is.
    using ModeCodeFor = std::function<std::optional<std::uint8_t>(std::int32_t FreqWanted)>;
    // The sideband rule: lower below 7200 kHz, upper from there on.
    static std::optional<std::uint8_t> sideband(std::int32_t FreqWanted);

    CatSequences(SerialLink& link, Clock& clock);

    // FT-736, FT-817, FT-847, FT-857, FT-897: CAT on, frequency, mode, CAT off,
    // 0.1 s apart.
    void Yaesu(const QString& QRG, const ModeCodeFor& modeFor = sideband);
    // FT-920, FT-1000: 0.2 s, frequency, 0.2 s, mode.
    void Yaesu1(const QString& QRG, const ModeCodeFor& modeFor = sideband);
    // Icom radio at CI-V address Modele: frequency, 0.1 s, mode.
    void Icom(std::uint8_t Modele, const QString& QRG, const ModeCodeFor& modeFor = sideband);

    // Sends `Cmd` with the given opcode when the port is open, then clears the
    // parameter bytes whether or not it was.
    void SendCmd_Yaesu(std::uint8_t Command);

    const YaesuCommandBlock& block() const { return block_; }

    static constexpr double YaesuWait = 0.1;
    static constexpr double Yaesu1Wait = 0.2;
    static constexpr double IcomWait = 0.1;
    // A block that has not left after this long is given up on.
    static constexpr int DrainLimitMs = 1000;

private:
    // Runs the steps of one sequence for the spot's QRG, unless it is no
    // usable frequency or another sequence is running.
    void runFor(const QString& QRG, const std::function<void(std::int32_t)>& steps);
    void send(const QByteArray& bytes);

    SerialLink& link_;
    Clock& clock_;
    YaesuCommandBlock block_;
    bool running_ = false;
};
