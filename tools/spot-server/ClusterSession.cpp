#include "ClusterSession.h"

#include <array>

namespace {

// The prompts of the common node programs (DXSpider, AR-Cluster, CC Cluster),
// compared in lower case.
constexpr std::array<QByteArrayView, 2> LoginPrompts{
    QByteArrayView("login:"),
    QByteArrayView("please enter your call:"),
};

bool isPrompt(const QByteArray& line) {
    const QByteArray lower = line.toLower();
    for (QByteArrayView prompt : LoginPrompts) {
        if (lower.contains(prompt))
            return true;
    }
    return false;
}

} // namespace

ClusterSession::ClusterSession(QByteArray callsign) : callsign_(std::move(callsign)) {}

ClusterSession::Output ClusterSession::feed(QByteArrayView bytes) {
    Output out;
    QByteArray text;
    telnet_.feed(bytes, text, out.reply);
    for (const char c : text)
        take(c, out);
    // A prompt waits on its line for the answer.
    answerPrompt(out);
    return out;
}

void ClusterSession::take(char c, Output& out) {
    // A carriage return ends a line, alone or before a line feed, which then
    // ends nothing more.
    const bool afterReturn = afterReturn_;
    afterReturn_ = c == '\r';
    if (c == '\n' && afterReturn)
        return;
    if (c != '\n' && c != '\r') {
        if (line_.size() < MaxLineBytes)
            line_ += c;
        else
            overlong_ = true;
        return;
    }
    ++out.lines;
    if (!overlong_) {
        answerPrompt(out);
        if (std::optional<ClusterSpot> spot = parseClusterLine(line_))
            out.spots.push_back(std::move(*spot));
    }
    line_.clear();
    overlong_ = false;
}

void ClusterSession::answerPrompt(Output& out) {
    if (loggedIn_ || callsign_.isEmpty() || overlong_ || !isPrompt(line_))
        return;
    out.reply += callsign_ + "\r\n";
    loggedIn_ = true;
    // The prompt is answered: what the node sends next starts a line of its
    // own, whether or not it ends the prompt's line first.
    line_.clear();
}
