#include "LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int RequestTimeoutMs = 2000;
constexpr qsizetype MaxRequestBytes = 64 * 1024;

QByteArray reason(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

sockaddr_in loopback(quint16 port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

int listenOnLoopback(quint16& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 16) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

// The request head, up to the blank line; empty when the client gave up.
QByteArray readRequestHead(int connection) {
    QByteArray head;
    char buffer[4096];
    while (!head.contains("\r\n\r\n") && head.size() < MaxRequestBytes) {
        pollfd wait{connection, POLLIN, 0};
        if (::poll(&wait, 1, RequestTimeoutMs) <= 0)
            return QByteArray();
        const ssize_t got = ::read(connection, buffer, sizeof buffer);
        if (got <= 0)
            return QByteArray();
        head.append(buffer, got);
    }
    return head;
}

void writeAll(int connection, const QByteArray& bytes) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t done =
            ::send(connection, bytes.constData() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (done <= 0)
            return;
        sent += done;
    }
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer() {
    listener_ = listenOnLoopback(port_);
    int wake[2];
    if (listener_ < 0 || ::pipe2(wake, O_CLOEXEC) != 0)
        return;
    wakeRead_ = wake[0];
    wakeWrite_ = wake[1];
    thread_ = std::thread([this] { run(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    if (thread_.joinable()) {
        const char stop = 1;
        (void)!::write(wakeWrite_, &stop, 1);
        thread_.join();
    }
    closeStalled();
    for (int fd : {listener_, wakeRead_, wakeWrite_}) {
        if (fd >= 0)
            ::close(fd);
    }
}

QString LoopbackHttpServer::baseAddress() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(port_);
}

void LoopbackHttpServer::setResponse(const QString& path, Response response) {
    std::lock_guard lock(mutex_);
    responses_[path] = std::move(response);
    extras_.erase(path);
}

void LoopbackHttpServer::setPage(const QString& path, const QByteArray& body) {
    Response response;
    response.body = body;
    setResponse(path, std::move(response));
}

void LoopbackHttpServer::removeResponse(const QString& path) {
    std::lock_guard lock(mutex_);
    responses_.erase(path);
    extras_.erase(path);
}

void LoopbackHttpServer::setRedirect(const QString& path, const QByteArray& location) {
    setResponse(path, {302, QByteArray(), QByteArray()});
    std::lock_guard lock(mutex_);
    extras_[path].location = location;
}

void LoopbackHttpServer::setCutShort(const QString& path, const QByteArray& body,
                                     qsizetype announcedLength) {
    setResponse(path, {200, QByteArrayLiteral("text/html"), body});
    std::lock_guard lock(mutex_);
    extras_[path].announcedLength = announcedLength;
}

void LoopbackHttpServer::setMode(Mode mode) {
    mode_ = mode;
    if (mode != Mode::Stall)
        closeStalled();
}

QStringList LoopbackHttpServer::requestedPaths() const {
    std::lock_guard lock(mutex_);
    return requested_;
}

quint16 LoopbackHttpServer::closedPort() {
    quint16 port = 0;
    const int fd = listenOnLoopback(port);
    if (fd >= 0)
        ::close(fd);
    return port;
}

void LoopbackHttpServer::closeStalled() {
    std::lock_guard lock(mutex_);
    for (int fd : stalled_)
        ::close(fd);
    stalled_.clear();
}

void LoopbackHttpServer::run() {
    for (;;) {
        pollfd waits[2] = {{listener_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (::poll(waits, 2, -1) < 0)
            continue;
        if (waits[1].revents != 0)
            return;
        if ((waits[0].revents & POLLIN) == 0)
            continue;
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection >= 0)
            answer(connection);
    }
}

void LoopbackHttpServer::answer(int connection) {
    const Mode mode = mode_;
    if (mode == Mode::HangUp) {
        ::close(connection);
        return;
    }
    const QByteArray head = readRequestHead(connection);
    // "GET /path HTTP/1.1"
    const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
    const QString path = requestLine.size() >= 2 ? QString::fromLatin1(requestLine[1]) : QString();

    Response response{404, QByteArrayLiteral("text/html"), QByteArrayLiteral("Not found")};
    Extras extras;
    {
        std::lock_guard lock(mutex_);
        requested_.append(path);
        if (mode == Mode::Stall) {
            stalled_.push_back(connection);
            return;
        }
        const auto found = responses_.find(path);
        if (found != responses_.end())
            response = found->second;
        const auto extra = extras_.find(path);
        if (extra != extras_.end())
            extras = extra->second;
    }

    QByteArray reply =
        "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reason(response.status) + "\r\n";
    if (!response.contentType.isEmpty())
        reply += "Content-Type: " + response.contentType + "\r\n";
    if (!extras.location.isEmpty())
        reply += "Location: " + extras.location + "\r\n";
    const qsizetype length =
        extras.announcedLength >= 0 ? extras.announcedLength : response.body.size();
    reply += "Content-Length: " + QByteArray::number(length) + "\r\n";
    reply += "Connection: close\r\n\r\n";
    reply += response.body;
    writeAll(connection, reply);
    ::shutdown(connection, SHUT_WR);
    ::close(connection);
}
