#pragma once

#include "NetworkRig.h"
#include "SpotMode.h"

#include <QString>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>

class MessageBox;

// Tunes a network rig to the selected spot without ever holding the window
// longer than TimeLimit: the rig is driven from a thread of its own while
// the window keeps painting (user input waits). A rig that does not answer
// in time counts as unreachable; its thread finishes on its own, and clicks
// meanwhile are dropped. A tuning waits for a reading of the frequency in
// flight: the two share one link to the rig.
//
// The first failure after start-up or after a success is shown in one
// message naming the address and the reason; later failures are silent
// until a tuning succeeds again.
class NetworkTuning {
public:
    static constexpr std::chrono::milliseconds TimeLimit{2000};

    // `name` as the user knows it ("rigctld", "flrig"), `address` "host:port".
    NetworkTuning(std::shared_ptr<NetworkRig> rig, QString name, QString address,
                  MessageBox& messages);
    ~NetworkTuning();
    NetworkTuning(const NetworkTuning&) = delete;
    NetworkTuning& operator=(const NetworkTuning&) = delete;

    // The spot's QRG and remark give the frequency and the mode; a QRG that
    // is not a usable frequency sends nothing.
    void tune(const TuningSpot& spot, ModeRule rule);

    // Reads the radio's frequency off the window's thread and hands it (in
    // hertz, nothing when it does not answer) to `done` on the window's
    // thread; nothing is read while the rig is busy.
    void readFrequency(std::function<void(std::optional<double>)> done);

    const QString& address() const { return address_; }
    // Another rig at another address, from the next tuning on.
    void retarget(std::shared_ptr<NetworkRig> rig, QString address);

private:
    void report(const NetworkRig::Outcome& outcome);

    std::shared_ptr<NetworkRig> rig_;
    QString name_;
    QString address_;
    MessageBox& messages_;
    // Shared with the threads, which may outlive the wait: the rig's link is
    // used by one at a time.
    struct RigUse {
        std::mutex link;
        std::atomic<bool> tuning = false;
        std::atomic<bool> reading = false;
    };
    std::shared_ptr<RigUse> use_ = std::make_shared<RigUse>();
    bool reportNextFailure_ = true;
    // False once this is gone: a reading that ends later is dropped.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
