#pragma once

#include "ClusterSpot.h"
#include "TelnetFilter.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>
#include <vector>

// What one connection to a cluster node makes of the bytes it receives: the
// login answered once, at the node's first prompt, and the password when the
// node asks for one; the node's last spots asked for once logged in; the
// spots of the complete lines, live or listed; and the login trouble the
// node reports. A line longer than MaxLineBytes is dropped whole, however
// long it grows, so that a node sending no line end cannot fill memory.
class ClusterSession {
public:
    static constexpr qsizetype MaxLineBytes = 512;
    // The node's own list of its last spots, asked for at login, so that the
    // first pages after a start already hold spots.
    static constexpr QByteArrayView BacklogRequest = "sh/dx 50\r\n";

    // Why the node will not have this login; retrying at once cannot help.
    enum class Trouble {
        InvalidCallsign, // the node does not take the callsign ("/" in it, say)
        PasswordWanted,  // the node asks for a password and none is set
        PasswordRefused,
        Bumped, // the same callsign logged in elsewhere took the link over
    };

    struct Output {
        QByteArray reply;               // to send to the node
        std::vector<ClusterSpot> spots; // in the order received
        int lines = 0;                  // complete lines, spots or not
        std::optional<Trouble> trouble;
        QByteArray troubleLine; // the node's own words
    };

    explicit ClusterSession(QByteArray callsign, QByteArray password = QByteArray());

    Output feed(QByteArrayView bytes);

private:
    void take(char c, Output& out);
    void completeLine(Output& out);
    void answerPrompts(Output& out);

    TelnetFilter telnet_;
    QByteArray callsign_;
    QByteArray password_;
    QByteArray line_;
    bool overlong_ = false;
    bool afterReturn_ = false;
    bool loggedIn_ = false;
    bool passwordSent_ = false;
    bool backlogAsked_ = false;
};
