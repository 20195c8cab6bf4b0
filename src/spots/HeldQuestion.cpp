#include "HeldQuestion.h"

#include <QSocketNotifier>
#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

HeldQuestion::HeldQuestion(Request request, Take take, qsizetype longestAnswer)
    : request_(std::move(request)), take_(std::move(take)), longestAnswer_(longestAnswer) {
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, &HeldQuestion::ask);
}

HeldQuestion::~HeldQuestion() {
    closeSocket();
}

void HeldQuestion::watch(quint16 port) {
    if (port == port_ && (socket_ >= 0 || retry_.isActive()))
        return;
    closeSocket();
    retry_.stop();
    port_ = port;
    since_ = 0;
    if (port_ != 0)
        ask();
}

void HeldQuestion::ask() {
    closeSocket();
    nextAsk_.setRemainingTime(AskEveryMs);
    socket_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket_ < 0) {
        finish(false);
        return;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port_);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
        errno != EINPROGRESS) {
        finish(false);
        return;
    }
    writable_ = std::make_unique<QSocketNotifier>(socket_, QSocketNotifier::Write);
    connect(writable_.get(), &QSocketNotifier::activated, this, &HeldQuestion::connected);
}

void HeldQuestion::connected() {
    writable_.reset();
    int error = 0;
    socklen_t length = sizeof error;
    ::getsockopt(socket_, SOL_SOCKET, SO_ERROR, &error, &length);
    const QByteArray request = request_(since_);
    if (error != 0 || ::send(socket_, request.constData(), static_cast<size_t>(request.size()),
                             MSG_NOSIGNAL) != request.size()) {
        finish(false);
        return;
    }
    answer_.clear();
    readable_ = std::make_unique<QSocketNotifier>(socket_, QSocketNotifier::Read);
    connect(readable_.get(), &QSocketNotifier::activated, this, &HeldQuestion::readAnswer);
}

void HeldQuestion::readAnswer() {
    char buffer[4096];
    const ssize_t got = ::recv(socket_, buffer, sizeof buffer, 0);
    if (got > 0 && answer_.size() + got <= longestAnswer_) {
        answer_.append(buffer, got);
        return;
    }
    if (got < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    // The server closes the connection after its answer.
    finish(got == 0);
}

void HeldQuestion::finish(bool answered) {
    closeSocket();
    if (answered && answer_.startsWith("HTTP/1.1 404"))
        emit notServed();
    const std::optional<quint64> sequence =
        answered && answer_.startsWith("HTTP/1.1 200")
            ? take_(answer_.mid(answer_.indexOf("\r\n\r\n") + 4))
            : std::nullopt;
    if (!sequence) {
        retry_.start(RetryMs);
        return;
    }
    since_ = *sequence;
    retry_.start(std::chrono::milliseconds(nextAsk_.remainingTime()));
}

void HeldQuestion::closeSocket() {
    writable_.reset();
    readable_.reset();
    if (socket_ >= 0)
        ::close(socket_);
    socket_ = -1;
}
