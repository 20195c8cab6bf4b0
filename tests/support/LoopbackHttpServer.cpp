#include "LoopbackHttpServer.h"

void LoopbackHttpServer::answer(LoopbackSocket client) {
    const Mode mode = mode_;
    // "GET /path HTTP/1.1" and the headers; nothing when the client gave up.
    const QByteArray head = client.readUntil("\r\n\r\n", 2000);
    const QList<QByteArray> request = head.left(head.indexOf("\r\n")).split(' ');
    const QString path = head.contains("\r\n\r\n") && request.size() >= 2
                             ? QString::fromLatin1(request[1])
                             : QString();
    Response response{404, "text/html", "Not found"};
    {
        std::lock_guard lock(mutex_);
        requested_.append(path);
        if (mode == Mode::Stall) {
            stalled_.push_back(std::move(client));
            return;
        }
        if (const auto found = responses_.find(path); found != responses_.end())
            response = found->second;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs_.load()));
    // Clients ignore the reason phrase.
    QByteArray reply = "HTTP/1.1 " + QByteArray::number(response.status) + " Status\r\n";
    if (!response.contentType.isEmpty())
        reply += "Content-Type: " + response.contentType + "\r\n";
    if (!response.location.isEmpty())
        reply += "Location: " + response.location + "\r\n";
    const qsizetype length =
        response.announcedLength >= 0 ? response.announcedLength : response.body.size();
    reply += "Content-Length: " + QByteArray::number(length) + "\r\nConnection: close\r\n\r\n";
    client.send(reply + response.body);
    client.shutDown();
}
