#pragma once

#include "LoopbackSocket.h"

#include <QStringList>
#include <atomic>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

// A small HTTP/1.1 server on 127.0.0.1 and an ephemeral port, run on its own
// thread, for tests that fetch pages with a real client. Each GET path is
// answered from a table of responses (404 for the others); the server can
// also stall without ever answering.
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

    // "http://127.0.0.1:<port>", no trailing slash.
    QString baseAddress() const;

    void setResponse(const QString& path, const Response& response) { store(path, {response}); }
    void setPage(const QString& path, const QByteArray& body) {
        setResponse(path, {200, Response().contentType, body});
    }
    void removeResponse(const QString& path);
    void setRedirect(const QString& path, const QByteArray& location) {
        store(path, {{302, QByteArray(), QByteArray()}, location});
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
        QByteArray location = QByteArray();
        qsizetype announcedLength = -1;
    };

    void store(const QString& path, const Entry& entry);
    void run();
    void answer(LoopbackSocket client);

    LoopbackSocket listener_;
    std::atomic<Mode> mode_{Mode::Serve};
    std::atomic<int> delayMs_{0};
    mutable std::mutex mutex_;
    std::map<QString, Entry> responses_;
    QStringList requested_;
    std::vector<LoopbackSocket> stalled_;
    std::thread thread_;
};
