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
        Serve, // answer from the table
        Stall, // keep each connection open and never answer
    };

    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // "http://127.0.0.1:<port>", no trailing slash.
    QString baseAddress() const;

    void setResponse(const QString& path, Response response) {
        store(path, {std::move(response), QByteArray(), -1});
    }
    void setPage(const QString& path, const QByteArray& body) {
        setResponse(path, {200, Response().contentType, body});
    }
    void removeResponse(const QString& path);
    // Answers the path with a redirection to `location`.
    void setRedirect(const QString& path, const QByteArray& location) {
        store(path, {{302, QByteArray(), QByteArray()}, location, -1});
    }
    // Announces more bytes than the body, so that the transfer ends short.
    void setCutShort(const QString& path, const QByteArray& body, qsizetype announcedLength) {
        store(path, {{200, "text/html", body}, QByteArray(), announcedLength});
    }
    void setMode(Mode mode);
    // A slow site: every answer waits this long after its request.
    void setDelay(int milliseconds) { delayMs_ = milliseconds; }

    // Paths of the requests received so far, in arrival order.
    QStringList requestedPaths() const;

private:
    // A response and what a few send beyond it.
    struct Entry {
        Response response;
        QByteArray location;
        qsizetype announcedLength;
    };

    void store(const QString& path, Entry entry);
    void run();
    void answer(int connection);
    void closeStalled();

    int listener_ = -1;
    quint16 port_ = 0;
    std::atomic<Mode> mode_{Mode::Serve};
    std::atomic<int> delayMs_{0};
    mutable std::mutex mutex_;
    std::map<QString, Entry> responses_;
    QStringList requested_;
    std::vector<int> stalled_;
    std::thread thread_;
};
