#pragma once

#include "HostPort.h"
#include "WsjtxMessages.h"

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QUdpSocket>
#include <optional>

// Listens for the datagrams of the WSJT-X instances of the station and
// answers them: their heartbeats, and what the program asks of them (call a
// station, colour a call). Each instance is kept apart by its id, with the
// last status it sent and the address it sends from.
class WsjtxListener : public QObject {
    Q_OBJECT

public:
    // More instances than a station runs are a flood, not a station.
    static constexpr int MostInstances = 16;

    explicit WsjtxListener(QObject* parent = nullptr);

    // Listens at the address ("127.0.0.1:2237"); a multicast group is joined
    // on every interface, its port shared with the other listeners. Why not,
    // in French, when the port cannot be had. Nothing listens after `stop`.
    std::optional<QString> listen(const HostPort& address);
    void stop();
    // The port listened at (the one the system chose for port 0).
    quint16 localPort() const { return socket_.localPort(); }

    // The dial, mode and station called of the instance's last status; 0
    // and empty before its first.
    quint64 dialOf(const QString& id) const;
    QString modeOf(const QString& id) const;
    QString dxCallOf(const QString& id) const;
    // Asks the instance that sent the decode to call its station; false when
    // that instance is not known (it never sent anything, or was closed).
    bool reply(const Wsjtx::Decode& decode);
    // Colours the call in every instance's band activity; invalid colours
    // take the colouring off.
    void highlight(const QString& callsign, const QColor& background, const QColor& foreground);

    // The datagrams dropped as not WSJT-X's, of an unknown schema, or cut.
    qint64 dropped() const { return dropped_; }

signals:
    void decoded(const Wsjtx::Decode& decode);
    void cleared(const QString& id);
    void logged(const Wsjtx::QsoLogged& contact);
    void loggedAdif(const Wsjtx::LoggedAdif& contact);
    void closed(const QString& id);

private:
    struct Instance {
        QHostAddress address;
        quint16 port = 0;
        quint32 schema = Wsjtx::LowestSchema;
        quint64 dialHz = 0;
        QString mode;
        QString dxCall;
    };

    void readPending();
    void receive(const QByteArray& bytes, const QHostAddress& from, quint16 port);
    void handle(const Wsjtx::Message& message, Instance& instance);
    void send(const Instance& instance, const QByteArray& datagram);

    QUdpSocket socket_;
    QHash<QString, Instance> instances_;
    qint64 dropped_ = 0;
};
