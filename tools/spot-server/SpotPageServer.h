#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QTcpServer>

class QTcpSocket;

// Serves GET /dxc/top_50_<token><ending> for every band of the band table on
// 127.0.0.1, each page dated at the time of the request; 404 for anything else.
class SpotPageServer : public QObject {
    Q_OBJECT

public:
    explicit SpotPageServer(QObject* parent = nullptr);

    // Port 0 picks a free port.
    bool listen(quint16 port);
    quint16 port() const { return server_.serverPort(); }
    QString errorString() const { return server_.errorString(); }

private:
    // The whole HTTP response to a request head.
    static QByteArray respond(const QByteArray& requestHead);

    void accept();
    void read(QTcpSocket* socket);

    QTcpServer server_;
    QHash<QTcpSocket*, QByteArray> pending_;
};
