#pragma once

#include "NetworkRig.h"

#include <QString>

struct s_rig;

// A radio through libhamlib: model 2 (NET rigctl) talks to a rigctld, model
// 4 to flrig. The link is opened at the first tuning and kept; a failed
// command closes it, and the next tuning opens it afresh, so that a daemon
// that was restarted is found again without restarting the program.
class HamlibRig : public NetworkRig {
public:
    static constexpr int NetRigctlModel = 2;
    static constexpr int FlrigModel = 4;

    // `address` is "host:port".
    HamlibRig(int model, QString address);
    ~HamlibRig() override;
    HamlibRig(const HamlibRig&) = delete;
    HamlibRig& operator=(const HamlibRig&) = delete;

    Outcome tune(double hertz, std::optional<SpotMode> mode) override;
    std::optional<double> frequency() override;

private:
    bool open();
    void close();
    // One attempt on an open link; nothing on success, else the error.
    std::optional<int> send(double hertz, std::optional<SpotMode> mode);

    int model_;
    QString address_;
    s_rig* rig_ = nullptr;
    bool open_ = false;
};
