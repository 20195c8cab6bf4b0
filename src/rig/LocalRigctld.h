#pragma once

#include "LocalHelper.h"

#include <QString>
#include <optional>

class Configuration;

// Hamlib's rigctld for the radio named in the configuration (hamlib_model,
// hamlib_device, hamlib_speed), run by the program when the rigctld address
// is on this machine and nothing answers there: the station's other
// programs (WSJT-X, a logger) then share the radio through the same port.
class LocalRigctld {
public:
    explicit LocalRigctld(const Configuration& config);

    // Starts it when it should run and does not; waits, a short while, until
    // it listens.
    void ensureRunning();
    bool started() const { return helper_.started(); }

    // The port of "127.0.0.1:4532" or "localhost:4532"; nothing elsewhere.
    static std::optional<quint16> localPort(const QString& address);

private:
    const Configuration& config_;
    LocalHelper helper_;
};
