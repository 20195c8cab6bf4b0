#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

// A small HTTP/1.1 server on 127.0.0.1 and an ephemeral port, run on its own
// thread, for tests that fetch pages with a real client. Each GET path is
// answered from a table of responses (404 for the others); the server can
// also hang up on every request or stall without ever answering.
class LoopbackHttpServer {
public:
    struct Response {
        int status = 200;
        QByteArray contentType = QByteArrayLiteral("text/html; charset=ISO-8859-1");
        QByteArray body;
    };

    enum class Mode {
        Serve,  // answer from the table
        HangUp, // close each connection without answering
        Stall,  // keep each connection open and never answer
    };

    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    bool listening() const { return listener_ >= 0; }
    quint16 port() const { return port_; }
    // "http://127.0.0.1:<port>", no trailing slash.
    QString baseAddress() const;

    void setResponse(const QString& path, Response response);
    void setPage(const QString& path, const QByteArray& body);
    void removeResponse(const QString& path);
    // Answers the path with a redirection to `location`.
    void setRedirect(const QString& path, const QByteArray& location);
    // Serves the body but announces `announcedLength` bytes, so that the
    // connection closes before the transfer is complete.
    void setCutShort(const QString& path, const QByteArray& body, qsizetype announcedLength);
    void setMode(Mode mode);

    // Paths of the requests received so far, in arrival order.
    QStringList requestedPaths() const;

    // A loopback port on which nothing listens: connections are refused.
    static quint16 closedPort();

private:
    void run();
    void answer(int connection);
    void closeStalled();

    // What a few responses send beyond their Response.
    struct Extras {
        QByteArray location;
        qsizetype announcedLength = -1;
    };

    int listener_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    quint16 port_ = 0;
    std::atomic<Mode> mode_{Mode::Serve};
    mutable std::mutex mutex_;
    std::map<QString, Response> responses_;
    std::map<QString, Extras> extras_;
    QStringList requested_;
    std::vector<int> stalled_;
    std::thread thread_;
};
