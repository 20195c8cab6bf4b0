#pragma once

#include "ClusterSession.h"
#include "ClusterSpot.h"
#include "HostPort.h"
#include "ReconnectBackoff.h"

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTcpSocket>
#include <QTimer>
#include <chrono>
#include <deque>
#include <optional>
#include <vector>

struct ClusterTiming {
    std::chrono::milliseconds firstRetry{1000};
    std::chrono::milliseconds longestRetry{60000};
    // A node silent for this long is asked whether it is still there (an
    // empty line, which a node answers with its prompt)...
    std::chrono::milliseconds stall{5 * 60 * 1000};
    std::chrono::milliseconds connectTimeout{10000};
    // ...and taken as gone when it does not answer within this.
    std::chrono::milliseconds probeAnswer{60 * 1000};
    // A node that refuses the login is tried again this often at most.
    std::chrono::milliseconds refusedRetry{60 * 1000};
};

// Where a link to a node stands, for the operator.
struct NodeStatus {
    enum class State { Connecting, Live, Refused, Unreachable };
    State state = State::Connecting;
    QString node;        // "host:port"
    QDateTime liveSince; // Live
    int spots = 0;       // distinct spots received since the relay started
    QString reason;      // Refused, Unreachable: the node's or the system's words
    std::optional<ClusterSession::Trouble> trouble; // Refused
};

// A telnet link to a cluster node that logs in with the callsign and hands
// on every spot it announces. The link is made again, after a wait that
// doubles up to its longest, whenever the node refuses, closes or falls
// silent; the waits start again from the first once a spot has come.
class ClusterConnection : public QObject {
    Q_OBJECT

public:
    ClusterConnection(HostPort address, QByteArray callsign, QByteArray password = {},
                      ClusterTiming timing = {}, QObject* parent = nullptr);
    ~ClusterConnection() override;

    void start();
    const NodeStatus& status() const { return status_; }

signals:
    void spotReceived(const ClusterSpot& spot);
    // A line for the operator: connected, lost and when the next try is.
    void message(const QString& text);

private:
    void connectToNode();
    void connected();
    void receive();
    // why: for the operator's log; pourquoi: for the status line.
    void lost(const QString& why, const QString& pourquoi);
    // Whether the spot was not heard among the last ones already.
    bool firstHeard(const ClusterSpot& spot);
    void refused(ClusterSession::Trouble trouble, const QByteArray& words);
    void silent();
    void retryAfter(std::chrono::milliseconds wait, const QString& why);

    HostPort address_;
    QByteArray callsign_;
    QByteArray password_;
    NodeStatus status_;
    bool probing_ = false;
    ClusterTiming timing_;
    ReconnectBackoff backoff_;
    QTcpSocket socket_;
    QTimer retry_;
    QTimer stall_;
    QTimer connectTimeout_;
    std::optional<ClusterSession> session_;
    static constexpr std::size_t HeardKept = 1000;
    QSet<QString> heard_;
    std::deque<QString> heardOrder_;
};
