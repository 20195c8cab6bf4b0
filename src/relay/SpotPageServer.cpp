#include "SpotPageServer.h"

#include "BandTable.h"
#include "RelayProtocol.h"
#include "SpotPageHtml.h"

#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>
#include <algorithm>

namespace {

constexpr qsizetype MaxRequestBytes = 16 * 1024;
constexpr int ListenBacklog = 4096;

QByteArray response(const QByteArray& status, const QByteArray& contentType,
                    const QByteArray& body) {
    return "HTTP/1.1 " + status + "\r\nContent-Type: " + contentType +
           "\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

} // namespace

SpotPageServer::SpotPageServer(PageMaker pages, StatusMaker status, NewsMaker changes,
                               NewsMaker spots, QObject* parent)
    : QObject(parent), pages_(std::move(pages)), status_(std::move(status)),
      changes_(std::move(changes)), spots_(std::move(spots)) {
    connect(&server_, &QTcpServer::newConnection, this, &SpotPageServer::accept);
}

// The open connections close as the server goes, each telling of it: by
// then the lists that drop() would update are gone.
SpotPageServer::~SpotPageServer() {
    for (QTcpSocket* socket : clients_)
        socket->disconnect(this);
}

bool SpotPageServer::listen(quint16 port) {
    // A burst of connections waits in the queue rather than being turned
    // away, which would cost the program a second before its next try.
    server_.setListenBacklogSize(ListenBacklog);
    return server_.listen(QHostAddress::LocalHost, port);
}

QByteArray SpotPageServer::respond(const QByteArray& requestHead) const {
    // "GET /dxc/top_50_14_MHz.html HTTP/1.1"
    const QList<QByteArray> request = requestHead.left(requestHead.indexOf("\r\n")).split(' ');
    if (request.size() >= 2 && request[0] == "GET") {
        const QString path = QString::fromLatin1(request[1]);
        if (path == RelayProtocol::StatusPath && status_)
            return response("200 OK", "application/json; charset=utf-8", status_());
        for (std::int16_t band = 0; band < BandTable::Count; ++band) {
            if (path == BandTable::pagePath(band))
                return response("200 OK", SpotPageHtml::ContentType, pages_(band));
        }
    }
    return response("404 Not Found", "text/plain", "Not found\n");
}

void SpotPageServer::accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        if (static_cast<int>(clients_.size()) >= MaxClients)
            drop(clients_.front());
        clients_.push_back(socket);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { drop(socket); });
        QTimer::singleShot(IdleLimitMs, socket, [this, socket] { drop(socket); });
    }
}

void SpotPageServer::drop(QTcpSocket* socket) {
    const auto kept = std::find(clients_.begin(), clients_.end(), socket);
    if (kept == clients_.end())
        return;
    clients_.erase(kept);
    pending_.remove(socket);
    held_.remove(socket);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void SpotPageServer::read(QTcpSocket* socket) {
    QByteArray& head = pending_[socket];
    head += socket->readAll();
    if (!head.contains("\r\n\r\n") && head.size() < MaxRequestBytes)
        return;
    const QByteArray whole = head;
    pending_.remove(socket);
    // "GET /changes?since=12 HTTP/1.1"
    const QList<QByteArray> request = whole.left(whole.indexOf("\r\n")).split(' ');
    const QUrl target(QString::fromLatin1(request.value(1)));
    const quint64 since =
        QUrlQuery(target).queryItemValue(RelayProtocol::SinceParameter).toULongLong();
    if (request.value(0) == "GET") {
        if (changes_ && target.path() == RelayProtocol::ChangesPath)
            return answerNews(socket, {false, since});
        if (spots_ && target.path() == RelayProtocol::SpotsPath)
            return answerNews(socket, {true, since});
    }
    socket->write(respond(whole));
    socket->disconnectFromHost();
}

void SpotPageServer::answerNews(QTcpSocket* socket, Question question) {
    std::optional<QByteArray> news = (question.spots ? spots_ : changes_)(question.since);
    if (!news && !held_.contains(socket)) {
        held_.insert(socket, question);
        QTimer::singleShot(ChangesHeldMs, socket, [this, socket, question] {
            if (!held_.contains(socket))
                return;
            held_.remove(socket);
            socket->write(response("200 OK", "application/json",
                                   question.spots
                                       ? RelayProtocol::encodeSpots({question.since, {}})
                                       : RelayProtocol::encodeChanges({question.since, {}})));
            socket->disconnectFromHost();
        });
        return;
    }
    if (!news)
        return;
    held_.remove(socket);
    socket->write(response("200 OK", "application/json", *news));
    socket->disconnectFromHost();
}

void SpotPageServer::newsArrived() {
    const QList<QTcpSocket*> waiting = held_.keys();
    for (QTcpSocket* socket : waiting)
        answerNews(socket, held_.value(socket));
}
