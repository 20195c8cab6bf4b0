#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QTcpServer>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

class QTcpSocket;

// Serves GET /dxc/top_50_<token><ending> for every band of the band table on
// 127.0.0.1, each page made at the time of the request, GET /status and
// GET /changes?since=N (held until a page changes); 404 for anything else.
// However many clients connect and stay silent, the program is served: a
// connection that sends no whole request within IdleLimitMs is closed, and
// beyond MaxClients the oldest one is closed for the newest.
class SpotPageServer : public QObject {
    Q_OBJECT

public:
    // The page of a band index, as it stands at the time of the request.
    using PageMaker = std::function<QByteArray(std::int16_t Bande)>;
    // The JSON served at /status: where the spots come from.
    using StatusMaker = std::function<QByteArray()>;
    // The JSON served at /changes?since=N, the pages changed since the
    // sequence number N; nothing while none has.
    using ChangesMaker = std::function<std::optional<QByteArray>(quint64 since)>;
    // A request for changes waits this long at most for one, below the
    // idle limit, then is answered with no band.
    static constexpr int ChangesHeldMs = 4000;

    explicit SpotPageServer(PageMaker pages, StatusMaker status = {}, ChangesMaker changes = {},
                            QObject* parent = nullptr);
    ~SpotPageServer() override;

    // Answers the requests for changes that were waiting for one.
    void pagesChanged();

    static constexpr int MaxClients = 64;
    static constexpr int IdleLimitMs = 5000;

    // Port 0 picks a free port.
    bool listen(quint16 port);
    quint16 port() const { return server_.serverPort(); }
    QString errorString() const { return server_.errorString(); }

private:
    // The whole HTTP response to a request head.
    QByteArray respond(const QByteArray& requestHead) const;

    void accept();
    void read(QTcpSocket* socket);
    void drop(QTcpSocket* socket);

    // Answers a request for changes now, or holds it until one comes.
    void answerChanges(QTcpSocket* socket, quint64 since);

    PageMaker pages_;
    StatusMaker status_;
    ChangesMaker changes_;
    // Requests for changes held, with their sequence numbers.
    QHash<QTcpSocket*, quint64> held_;
    QTcpServer server_;
    QHash<QTcpSocket*, QByteArray> pending_;
    // Open client connections, oldest first.
    std::deque<QTcpSocket*> clients_;
};
