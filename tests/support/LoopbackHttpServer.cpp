#include "LoopbackHttpServer.h"

LoopbackHttpServer::LoopbackHttpServer() : listener_(LoopbackSocket::listening()) {
    if (listener_.ok()) // else the tests fail to connect
        thread_ = std::thread([this] { run(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    listener_.shutDown();
    if (thread_.joinable())
        thread_.join();
}

QString LoopbackHttpServer::baseAddress() const {
    return QStringLiteral("http://") + loopbackAddress(listener_.port());
}

void LoopbackHttpServer::store(const QString& path, const Entry& entry) {
    std::lock_guard lock(mutex_);
    responses_[path] = entry;
}

void LoopbackHttpServer::removeResponse(const QString& path) {
    std::lock_guard lock(mutex_);
    responses_.erase(path);
}

void LoopbackHttpServer::setMode(Mode mode) {
    mode_ = mode;
    std::lock_guard lock(mutex_);
    if (mode != Mode::Stall)
        stalled_.clear();
}

QStringList LoopbackHttpServer::requestedPaths() const {
    std::lock_guard lock(mutex_);
    return requested_;
}

void LoopbackHttpServer::run() {
    for (;;) {
        LoopbackSocket client = listener_.accept();
        if (!client.ok())
            return; // shut down
        answer(std::move(client));
    }
}

void LoopbackHttpServer::answer(LoopbackSocket client) {
    const Mode mode = mode_;
    // "GET /path HTTP/1.1" and the headers; nothing when the client gave up.
    const QByteArray head = client.readUntil("\r\n\r\n", 2000);
    const QList<QByteArray> request = head.left(head.indexOf("\r\n")).split(' ');
    const QString path = head.contains("\r\n\r\n") && request.size() >= 2
                             ? QString::fromLatin1(request[1])
                             : QString();
    Entry entry{{404, "text/html", "Not found"}};
    {
        std::lock_guard lock(mutex_);
        requested_.append(path);
        if (mode == Mode::Stall) {
            stalled_.push_back(std::move(client));
            return;
        }
        if (const auto found = responses_.find(path); found != responses_.end())
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
    client.send(reply + response.body);
    client.shutDown();
}
