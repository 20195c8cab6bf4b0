#pragma once

#include "CatSequences.h"
#include "FlrigBridge.h"
#include "HamlibModule.h"
#include "LocalRigctld.h"
#include "NetworkTuning.h"
#include "SpotMode.h"

#include <functional>
#include <optional>
#include <vector>

class Clock;
class Configuration;
class MessageBox;
class SerialLink;

// The transceiver a clicked spot tunes: the serial models' command state,
// the radios reached over the network through Hamlib (a rigctld, and flrig
// through a rigctld of its own), and the helpers the program runs for them.
class Radio {
public:
    // `config` is the program's configuration, read again after the
    // settings change; `hamlibModule` the path of the Hamlib module.
    Radio(SerialLink& serial, Clock& clock, MessageBox& messages, const QString& hamlibModule,
          const Configuration& config);

    // Tunes the transceiver captioned `transceiver` to the spot, through the
    // port NumPort shows.
    void tune(const QString& NumPort, const QString& transceiver, const TuningSpot& spot);
    // Whether the chosen transceiver's frequency can be read: a radio reached
    // over the network; the serial models' frames only set it.
    bool frequencyReadable(const QString& transceiver) const;
    // Reads the chosen transceiver's frequency off the window's thread and
    // hands it (in kHz; nothing when it does not answer) to `done` on it.
    void readFrequency(const QString& transceiver, std::function<void(std::optional<double>)> done);
    // Runs the local rigctld when "Hamlib (rigctld)" is the chosen transceiver.
    void startRigctldIfChosen(const QString& transceiver);
    // The rigctld and flrig addresses of the configuration as it is now.
    void applyConfiguration();
    // Hamlib's models; none when the module cannot be loaded.
    std::vector<HamlibModel> hamlibModels() { return hamlib_.models(); }

private:
    const Configuration& config_;
    // The transceiver's command state, kept between selections.
    CatSequences cat_;
    // The radios reached over the network, and the rigctld the program may
    // run for the first of them.
    HamlibModule hamlib_;
    NetworkTuning rigctld_;
    FlrigBridge flrigBridge_;
    NetworkTuning flrig_;
    LocalRigctld localRigctld_;
};
