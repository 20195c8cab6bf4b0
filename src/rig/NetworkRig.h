#pragma once

#include "SpotMode.h"

#include <QString>
#include <optional>

// A radio reached over the network, through a program that shares it with
// the station's other programs (Hamlib's rigctld, flrig).
class NetworkRig {
public:
    // Why a tuning failed, as the user is told.
    enum class Failure {
        None,
        Unreachable, // nothing answers at the address, or the link dropped
        Refused,     // it answered, and refused the command
    };
    struct Outcome {
        Failure failure = Failure::None;
        QString reason; // the program's own words, when it gave any
    };

    virtual ~NetworkRig() = default;
    // Sets the frequency in hertz and, when given, the mode. Called from one
    // thread at a time, never the window's.
    virtual Outcome tune(double hertz, std::optional<SpotMode> mode) = 0;
    // The frequency in hertz the radio is on; nothing when it does not
    // answer. Called like `tune`, never at the same time.
    virtual std::optional<double> frequency() = 0;
};
