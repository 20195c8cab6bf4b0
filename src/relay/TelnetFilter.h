#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <bitset>

// Takes the telnet commands out of what a cluster node sends. Every option
// the node offers or asks for is refused, so that the link stays a plain
// stream of text; subnegotiations are skipped. Commands may be split across
// reads. Each option is refused once only: a node that asks again and again
// (and perhaps never reads) is owed nothing more, as RFC 1143 has it.
class TelnetFilter {
public:
    // Appends the node's text to `text` and the refusals owed to `reply`.
    void feed(QByteArrayView bytes, QByteArray& text, QByteArray& reply);

private:
    enum class State { Text, Command, Option, Subnegotiation, SubnegotiationCommand };

    State state_ = State::Text;
    unsigned char verb_ = 0;
    std::bitset<256> refusedDo_;
    std::bitset<256> refusedWill_;
};
