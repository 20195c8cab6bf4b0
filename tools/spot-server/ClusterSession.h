#pragma once

#include "ClusterSpot.h"
#include "TelnetFilter.h"

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

// What one connection to a cluster node makes of the bytes it receives: the
// login answered once, at the node's first prompt, and the spots of the
// complete lines. A line longer than MaxLineBytes is dropped whole, however
// long it grows, so that a node sending no line end cannot fill memory.
class ClusterSession {
public:
    static constexpr qsizetype MaxLineBytes = 512;

    struct Output {
        QByteArray reply;               // to send to the node
        std::vector<ClusterSpot> spots; // in the order received
        int lines = 0;                  // complete lines, spots or not
    };

    explicit ClusterSession(QByteArray callsign);

    Output feed(QByteArrayView bytes);

private:
    void take(char c, Output& out);
    void answerPrompt(Output& out);

    TelnetFilter telnet_;
    QByteArray callsign_;
    QByteArray line_;
    bool overlong_ = false;
    bool afterReturn_ = false;
    bool loggedIn_ = false;
};
