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
        QByteArray location = {};
        // More than the body, so that the transfer ends short.
        qsizetype announcedLength = -1;
    };

    enum class Mode {
        Serve, // answer from the table
        Stall, // keep each connection open and never answer
    };

    LoopbackHttpServer() : listener_(LoopbackSocket::listening()) {
        if (listener_.ok()) // else the tests fail to connect
            thread_ = std::thread([this] {
                for (;;) {
                    LoopbackSocket client = listener_.accept();
                    if (!client.ok())
                        return; // shut down
                    answer(std::move(client));
                }
            });
    }
    ~LoopbackHttpServer() {
        listener_.shutDown();
        if (thread_.joinable())
            thread_.join();
    }

    // "http://127.0.0.1:<port>", no trailing slash.
    QString baseAddress() const {
        return QStringLiteral("http://") + loopbackAddress(listener_.port());
    }

    void setResponse(const QString& path, const Response& response) {
        std::lock_guard lock(mutex_);
        responses_[path] = response;
    }
    void setPage(const QString& path, const QByteArray& body) { setResponse(path, {.body = body}); }
    void removeResponse(const QString& path) {
        std::lock_guard lock(mutex_);
        responses_.erase(path);
    }
    void setRedirect(const QString& path, const QByteArray& location) {
        setResponse(path, {302, QByteArray(), QByteArray(), location});
    }
    void setCutShort(const QString& path, const QByteArray& body, qsizetype announcedLength) {
        setResponse(path, {200, "text/html", body, QByteArray(), announcedLength});
    }
    void setMode(Mode mode) {
        mode_ = mode;
        std::lock_guard lock(mutex_);
        if (mode != Mode::Stall)
            stalled_.clear();
    }
    // A slow site: every answer waits this long after its request.
    void setDelay(int milliseconds) { delayMs_ = milliseconds; }

    // Paths of the requests received so far, in arrival order.
    QStringList requestedPaths() const {
        std::lock_guard lock(mutex_);
        return requested_;
    }

private:
    void answer(LoopbackSocket client);

    LoopbackSocket listener_;
    std::atomic<Mode> mode_{Mode::Serve};
    std::atomic<int> delayMs_{0};
    mutable std::mutex mutex_;
    std::map<QString, Response> responses_;
    QStringList requested_;
    std::vector<LoopbackSocket> stalled_;
    std::thread thread_;
};
