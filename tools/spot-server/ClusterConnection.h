#pragma once

#include "ClusterSession.h"
#include "ClusterSpot.h"
#include "ReconnectBackoff.h"

#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>
#include <chrono>
#include <optional>

// "host:port" of a cluster node; "[::1]:7300" for an IPv6 address.
struct ClusterAddress {
    QString host;
    quint16 port = 0;

    static std::optional<ClusterAddress> parse(const QString& text);
};

struct ClusterTiming {
    std::chrono::milliseconds firstRetry{1000};
    std::chrono::milliseconds longestRetry{60000};
    // A node that sends no line for this long is taken as gone.
    std::chrono::milliseconds stall{5 * 60 * 1000};
    std::chrono::milliseconds connectTimeout{10000};
};

// A telnet link to a cluster node that logs in with the callsign and hands
// on every spot it announces. The link is made again, after a wait that
// doubles up to its longest, whenever the node refuses, closes or falls
// silent; the waits start again from the first once a spot has come.
class ClusterConnection : public QObject {
    Q_OBJECT

public:
    ClusterConnection(ClusterAddress address, QByteArray callsign, ClusterTiming timing = {},
                      QObject* parent = nullptr);
    ~ClusterConnection() override;

    void start();

signals:
    void spotReceived(const ClusterSpot& spot);
    // A line for the operator: connected, lost and when the next try is.
    void status(const QString& message);

private:
    void connectToNode();
    void connected();
    void receive();
    void lost(const QString& why);

    ClusterAddress address_;
    QByteArray callsign_;
    ClusterTiming timing_;
    ReconnectBackoff backoff_;
    QTcpSocket socket_;
    QTimer retry_;
    QTimer stall_;
    QTimer connectTimeout_;
    std::optional<ClusterSession> session_;
};
