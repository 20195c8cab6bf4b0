#include "TelnetFilter.h"

namespace {

// RFC 854 command codes.
constexpr unsigned char Iac = 255;
constexpr unsigned char Dont = 254;
constexpr unsigned char Do = 253;
constexpr unsigned char Wont = 252;
constexpr unsigned char Will = 251;
constexpr unsigned char Sb = 250;
constexpr unsigned char Se = 240;

} // namespace

void TelnetFilter::feed(QByteArrayView bytes, QByteArray& text, QByteArray& reply) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        switch (state_) {
        case State::Text:
            if (byte == Iac)
                state_ = State::Command;
            else
                text += c;
            break;
        case State::Command:
            if (byte == Iac) {
                text += c;
                state_ = State::Text;
            } else if (byte >= Will && byte <= Dont) {
                verb_ = byte;
                state_ = State::Option;
            } else {
                state_ = byte == Sb ? State::Subnegotiation : State::Text;
            }
            break;
        case State::Option:
            if (verb_ == Do || verb_ == Will) {
                std::bitset<256>& refused = verb_ == Do ? refusedDo_ : refusedWill_;
                if (!refused.test(byte)) {
                    refused.set(byte);
                    reply += static_cast<char>(Iac);
                    reply += static_cast<char>(verb_ == Do ? Wont : Dont);
                    reply += c;
                }
            }
            state_ = State::Text;
            break;
        case State::Subnegotiation:
            if (byte == Iac)
                state_ = State::SubnegotiationCommand;
            break;
        case State::SubnegotiationCommand:
            state_ = byte == Se ? State::Text : State::Subnegotiation;
            break;
        }
    }
}
