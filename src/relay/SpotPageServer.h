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
// 127.0.0.1, each page made at the time of the request, GET /status,
// GET /changes?since=N (held until a page changes) and GET /spots?since=N
// (held until a spot comes); 404 for anything else.
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
    // The JSON served at /changes?since=N or /spots?since=N: what is new
    // since the sequence number N; nothing while nothing is.
    using NewsMaker = std::function<std::optional<QByteArray>(quint64 since)>;
    // A request for news waits this long at most for some, below the idle
    // limit, then is answered with none.
    static constexpr int ChangesHeldMs = 4000;

    explicit SpotPageServer(PageMaker pages, StatusMaker status = {}, NewsMaker changes = {},
                            NewsMaker spots = {}, QObject* parent = nullptr);
    ~SpotPageServer() override;

    // Answers the requests that were waiting for news.
    void newsArrived();

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

    // A request for news: of the pages, or of the spots.
    struct Question {
        bool spots;
        quint64 since;
    };
    // Answers a request for news now, or holds it until some comes.
    void answerNews(QTcpSocket* socket, Question question);

    PageMaker pages_;
    StatusMaker status_;
    NewsMaker changes_;
    NewsMaker spots_;
    // Requests for news held.
    QHash<QTcpSocket*, Question> held_;
    QTcpServer server_;
    QHash<QTcpSocket*, QByteArray> pending_;
    // Open client connections, oldest first.
    std::deque<QTcpSocket*> clients_;
};
