#pragma once

#include "LocalHelper.h"

#include <QString>

// flrig reached through a rigctld of its own: Hamlib's flrig back end
// ("rigctld -m 4") runs in that daemon, on a loopback port, and the program
// talks to it as to any rigctld. Whatever flrig answers, a crash in the back
// end ends the daemon, not the program: the tuning fails with its message
// and the next one starts the daemon again.
class FlrigBridge {
public:
    explicit FlrigBridge(QString flrigAddress);

    // Where the program's rig talks to the daemon: "127.0.0.1:port".
    QString address() const;
    // Another flrig, from the next tuning on.
    void retarget(QString flrigAddress);
    // Starts the daemon when it does not run (the first tuning, or after it
    // ended), and waits a short while until it listens.
    void ensureRunning();

private:
    QString flrig_;
    quint16 port_;
    LocalHelper helper_;
};
