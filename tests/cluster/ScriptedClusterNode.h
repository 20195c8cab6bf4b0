#pragma once

#include "TestSupport.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <vector>

// A DX cluster node on 127.0.0.1 that a test scripts: it greets every new
// connection, records what it receives and when each connection came, and
// sends or hangs up when told.
class ScriptedClusterNode {
public:
    explicit ScriptedClusterNode(quint16 port = 0) {
        clock_.start();
        QObject::connect(&server_, &QTcpServer::newConnection, [this] { accept(); });
        server_.listen(QHostAddress::LocalHost, port);
    }

    quint16 port() const { return server_.serverPort(); }
    QString address() const { return loopbackAddress(port()); }

    void setGreeting(const QByteArray& greeting) { greeting_ = greeting; }
    // Sent back whenever a line end comes in, as a node answers an empty
    // line with its prompt.
    void setPromptReply(const QByteArray& prompt) { prompt_ = prompt; }

    // To the latest connection; true once handed to the system, the events
    // running meanwhile so that a reader in this thread keeps up.
    bool send(const QByteArray& bytes) {
        if (!socket_)
            return false;
        socket_->write(bytes);
        return QTest::qWaitFor([&] { return socket_->bytesToWrite() == 0; }, 10000);
    }
    void hangUp() {
        if (socket_)
            socket_->disconnectFromHost();
    }

    bool waitForConnections(int count, int ms = 5000) {
        return QTest::qWaitFor([&] { return connections() >= count; }, ms);
    }
    // Until what the latest connection received holds the text.
    bool waitForReceived(const QByteArray& text, int ms = 5000) {
        return QTest::qWaitFor([&] { return received_.contains(text); }, ms);
    }

    int connections() const { return static_cast<int>(arrivals_.size()); }
    // Milliseconds from the node's start to each connection.
    const std::vector<qint64>& arrivals() const { return arrivals_; }
    const QByteArray& received() const { return received_; }

private:
    void accept() {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            socket->setParent(&server_);
            socket_ = socket;
            received_.clear();
            arrivals_.push_back(clock_.elapsed());
            QObject::connect(socket, &QTcpSocket::readyRead, [this, socket] {
                if (socket != socket_)
                    return;
                const QByteArray bytes = socket->readAll();
                received_ += bytes;
                if (!prompt_.isEmpty() && bytes.contains("\r\n"))
                    socket->write(prompt_);
            });
            if (!greeting_.isEmpty())
                send(greeting_);
        }
    }

    QTcpServer server_;
    QTcpSocket* socket_ = nullptr;
    QByteArray greeting_;
    QByteArray prompt_;
    QByteArray received_;
    std::vector<qint64> arrivals_;
    QElapsedTimer clock_;
};

// A spot line as a node sends it. The node gives the time of day only: spots
// of the last minutes, so that they are dated today (or yesterday just after
// midnight).
inline QByteArray nodeSpot(const char* spotter, const char* frequency, const QByteArray& dx,
                           const char* comment = "CQ", int minutesAgo = 0) {
    const QByteArray time =
        QDateTime::currentDateTimeUtc().addSecs(-60 * minutesAgo).toString("HHmm").toLatin1();
    return QByteArray("DX de ") + spotter + ":     " + frequency + "  " + dx + "       " + comment +
           "   " + time + "Z\r\n";
}
