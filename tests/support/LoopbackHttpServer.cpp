#include "LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int RequestTimeoutMs = 2000;
constexpr qsizetype MaxRequestBytes = 64 * 1024;

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
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 16) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return; // the tests then fail to connect
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { run(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    // Shutting the listener down wakes the thread's accept().
    ::shutdown(listener_, SHUT_RDWR);
    if (thread_.joinable())
        thread_.join();
    closeStalled();
    ::close(listener_);
}

QString LoopbackHttpServer::baseAddress() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(port_);
}

void LoopbackHttpServer::store(const QString& path, Entry entry) {
    std::lock_guard lock(mutex_);
    responses_[path] = std::move(entry);
}

void LoopbackHttpServer::removeResponse(const QString& path) {
    std::lock_guard lock(mutex_);
    responses_.erase(path);
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

void LoopbackHttpServer::closeStalled() {
    std::lock_guard lock(mutex_);
    for (int fd : stalled_)
        ::close(fd);
    stalled_.clear();
}

void LoopbackHttpServer::run() {
    for (;;) {
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection >= 0)
            answer(connection);
        else if (errno != EINTR && errno != ECONNABORTED)
            return; // shut down
    }
}

void LoopbackHttpServer::answer(int connection) {
    const Mode mode = mode_;
    const QByteArray head = readRequestHead(connection);
    // "GET /path HTTP/1.1"
    const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
    const QString path = requestLine.size() >= 2 ? QString::fromLatin1(requestLine[1]) : QString();

    Entry entry{{404, "text/html", "Not found"}, QByteArray(), -1};
    {
        std::lock_guard lock(mutex_);
        requested_.append(path);
        if (mode == Mode::Stall) {
            stalled_.push_back(connection);
            return;
        }
        const auto found = responses_.find(path);
        if (found != responses_.end())
            entry = found->second;
    }

    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs_.load()));
    const Response& response = entry.response;
    // Clients ignore the reason phrase.
    QByteArray reply = "HTTP/1.1 " + QByteArray::number(response.status) + " Status\r\n";
    if (!response.contentType.isEmpty())
        reply += "Content-Type: " + response.contentType + "\r\n";
    if (!entry.location.isEmpty())
        reply += "Location: " + entry.location + "\r\n";
    const qsizetype length =
        entry.announcedLength >= 0 ? entry.announcedLength : response.body.size();
    reply += "Content-Length: " + QByteArray::number(length) + "\r\nConnection: close\r\n\r\n";
    writeAll(connection, reply + response.body);
    ::shutdown(connection, SHUT_WR);
    ::close(connection);
}
