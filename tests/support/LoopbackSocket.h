#pragma once

#include <QByteArray>
#include <QString>
#include <utility>

// A TCP socket on 127.0.0.1 for the tests that talk to a peer by hand: a
// client whose connection is begun without waiting for it, or a listener on
// a free port. Reads and writes wait with poll(), never longer than asked.
class LoopbackSocket {
public:
    static LoopbackSocket connectTo(quint16 port) { return open(port, false); }
    static LoopbackSocket listening() { return open(0, true); }
    LoopbackSocket(LoopbackSocket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    ~LoopbackSocket();

    bool ok() const { return fd_ >= 0; }
    quint16 port() const;
    // The next client of a listener; not ok() once the listener is shut down.
    LoopbackSocket accept() const;
    // Ends both ways: wakes a listener's accept(), tells a peer it is over.
    void shutDown() const;
    // All of it, or false when the peer is gone or took nothing for waitMs.
    bool send(const QByteArray& bytes, int waitMs = 5000) const;
    // Until what came holds `text`, the peer hangs up or waitMs pass.
    QByteArray readUntil(const QByteArray& text, int waitMs = 5000) const;

private:
    explicit LoopbackSocket(int fd) : fd_(fd) {}
    static LoopbackSocket open(quint16 port, bool listen);
    int fd_;
};

// A loopback port nobody listens on at the moment.
inline quint16 freePort() {
    return LoopbackSocket::listening().port();
}

// "127.0.0.1:<port>", as a node or a radio daemon is named.
inline QString loopbackAddress(quint16 port) {
    return QStringLiteral("127.0.0.1:%1").arg(port);
}
