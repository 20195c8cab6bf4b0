#include "LoopbackSocket.h"

#include <QDeadlineTimer>
#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

bool ready(int fd, short events, int waitMs) {
    pollfd wait{fd, events, 0};
    return ::poll(&wait, 1, waitMs) > 0;
}

} // namespace

LoopbackSocket LoopbackSocket::open(quint16 port, bool listen) {
    LoopbackSocket socket(
        ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | (listen ? 0 : SOCK_NONBLOCK), 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const auto* where = reinterpret_cast<const sockaddr*>(&address);
    const bool ok =
        listen ? ::bind(socket.fd_, where, sizeof address) == 0 && ::listen(socket.fd_, 16) == 0
               : ::connect(socket.fd_, where, sizeof address) == 0 || errno == EINPROGRESS;
    return ok ? std::move(socket) : LoopbackSocket(-1);
}

LoopbackSocket::~LoopbackSocket() {
    if (fd_ >= 0)
        ::close(fd_);
}

quint16 LoopbackSocket::port() const {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

LoopbackSocket LoopbackSocket::accept() const {
    int client = -1;
    do
        client = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    while (client < 0 && (errno == EINTR || errno == ECONNABORTED));
    return LoopbackSocket(client);
}

void LoopbackSocket::shutDown() const {
    ::shutdown(fd_, SHUT_RDWR);
}

bool LoopbackSocket::send(const QByteArray& bytes, int waitMs) const {
    for (qsizetype sent = 0; sent < bytes.size();) {
        if (!ready(fd_, POLLOUT, waitMs))
            return false;
        const ssize_t done =
            ::send(fd_, bytes.constData() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (done < 0 && errno != EAGAIN)
            return false;
        sent += std::max<ssize_t>(done, 0);
    }
    return true;
}

QByteArray LoopbackSocket::readUntil(const QByteArray& text, int waitMs) const {
    QByteArray got;
    char buffer[4096];
    const QDeadlineTimer deadline(waitMs);
    while (ok() && !got.contains(text) && !deadline.hasExpired()) {
        if (!ready(fd_, POLLIN, int(deadline.remainingTime())))
            continue;
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n == 0 || (n < 0 && errno != EAGAIN))
            break;
        got.append(buffer, std::max<ssize_t>(n, 0));
    }
    return got;
}
