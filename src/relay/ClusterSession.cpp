#include "ClusterSession.h"

#include <array>

namespace {

// The prompts of the common node programs (DXSpider, AR-Cluster, CC Cluster),
// compared in lower case.
constexpr std::array<QByteArrayView, 2> LoginPrompts{
    QByteArrayView("login:"),
    QByteArrayView("please enter your call:"),
};
constexpr QByteArrayView PasswordPrompt("password:");

// What DXSpider says when it will not have a login, in lower case.
struct TroubleWords {
    QByteArrayView words;
    ClusterSession::Trouble trouble;
};
constexpr std::array<TroubleWords, 3> TroubleLines{{
    {"is an invalid callsign", ClusterSession::Trouble::InvalidCallsign},
    {"this instance is disconnected", ClusterSession::Trouble::Bumped},
    {"you are connected to me on another port", ClusterSession::Trouble::Bumped},
}};

bool holdsAny(const QByteArray& lower, const std::array<QByteArrayView, 2>& words) {
    for (QByteArrayView word : words) {
        if (lower.contains(word))
            return true;
    }
    return false;
}

} // namespace

namespace {

// A byte 255 in what is sent would start a telnet command: sent twice, it is
// the byte itself.
QByteArray telnetData(QByteArray bytes) {
    return bytes.replace("\xFF", "\xFF\xFF");
}

} // namespace

ClusterSession::ClusterSession(QByteArray callsign, QByteArray password)
    : callsign_(std::move(callsign)), password_(std::move(password)) {}

ClusterSession::Output ClusterSession::feed(QByteArrayView bytes) {
    Output out;
    QByteArray text;
    telnet_.feed(bytes, text, out.reply);
    for (const char c : text)
        take(c, out);
    // A prompt waits on its line for the answer.
    if (!overlong_)
        answerPrompts(out);
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
    if (!overlong_)
        completeLine(out);
    line_.clear();
    overlong_ = false;
}

void ClusterSession::completeLine(Output& out) {
    answerPrompts(out);
    const QByteArray lower = line_.toLower();
    for (const TroubleWords& words : TroubleLines) {
        if (lower.contains(words.words)) {
            out.trouble = words.trouble;
            out.troubleLine = line_.trimmed();
        }
    }
    // A bare "Sorry" after the password is its refusal.
    if (passwordSent_ && !backlogAsked_ && lower.trimmed() == "sorry") {
        out.trouble = Trouble::PasswordRefused;
        out.troubleLine = line_.trimmed();
    }
    if (std::optional<ClusterSpot> spot = parseClusterLine(line_))
        out.spots.push_back(std::move(*spot));
    else if (std::optional<ClusterSpot> listed = parseListedSpot(line_))
        out.spots.push_back(std::move(*listed));
    // The first whole line after the login (and the password) comes from a
    // node that has let us in: it may be asked for its last spots.
    if (loggedIn_ && !backlogAsked_ && !out.trouble && !line_.trimmed().isEmpty() &&
        !holdsAny(lower, LoginPrompts)) {
        backlogAsked_ = true;
        out.reply += BacklogRequest.toByteArray();
    }
}

void ClusterSession::answerPrompts(Output& out) {
    const QByteArray lower = line_.toLower();
    if (!loggedIn_) {
        if (callsign_.isEmpty() || !holdsAny(lower, LoginPrompts))
            return;
        out.reply += telnetData(callsign_) + "\r\n";
        loggedIn_ = true;
    } else if (!passwordSent_ && !backlogAsked_ && lower.contains(PasswordPrompt)) {
        passwordSent_ = true;
        if (password_.isEmpty()) {
            out.trouble = Trouble::PasswordWanted;
            out.troubleLine = line_.trimmed();
            return;
        }
        out.reply += telnetData(password_) + "\r\n";
    } else {
        return;
    }
    // The prompt is answered: what the node sends next starts a line of its
    // own, whether or not it ends the prompt's line first.
    line_.clear();
}
