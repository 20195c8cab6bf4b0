#include "ClusterConnection.h"

namespace {

// The system's reason for a failed link, as the status line gives it.
QString socketErrorText(QAbstractSocket::SocketError error) {
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return QStringLiteral("connexion refusée");
    case QAbstractSocket::RemoteHostClosedError:
        return QStringLiteral("connexion fermée par le nœud");
    case QAbstractSocket::HostNotFoundError:
        return QStringLiteral("hôte inconnu");
    case QAbstractSocket::SocketTimeoutError:
        return QStringLiteral("délai dépassé");
    case QAbstractSocket::NetworkError:
        return QStringLiteral("réseau injoignable");
    default:
        return QStringLiteral("erreur du réseau");
    }
}

// What is read from the node at a time, and at most kept unread: a node that
// sends faster than its lines are read waits, rather than filling memory.
constexpr qint64 ReadChunk = 64 * 1024;
// What may wait to be sent to the node: a node that does not read is left,
// to be tried again later, rather than have its answers pile up.
constexpr qint64 MaxUnsent = 64 * 1024;

} // namespace

ClusterConnection::ClusterConnection(HostPort address, QByteArray callsign, QByteArray password,
                                     ClusterTiming timing, QObject* parent)
    : QObject(parent), address_(std::move(address)), callsign_(std::move(callsign)),
      password_(std::move(password)), timing_(timing),
      backoff_(timing.firstRetry, timing.longestRetry) {
    status_.node = address_.toString();
    socket_.setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    socket_.setReadBufferSize(ReadChunk);
    for (QTimer* timer : {&retry_, &stall_, &connectTimeout_})
        timer->setSingleShot(true);
    stall_.setInterval(timing_.stall);
    connectTimeout_.setInterval(timing_.connectTimeout);

    connect(&retry_, &QTimer::timeout, this, &ClusterConnection::connectToNode);
    connect(&stall_, &QTimer::timeout, this, &ClusterConnection::silent);
    connect(&connectTimeout_, &QTimer::timeout, this,
            [this] { lost(QStringLiteral("no answer"), QStringLiteral("délai dépassé")); });
    connect(&socket_, &QTcpSocket::connected, this, &ClusterConnection::connected);
    connect(&socket_, &QTcpSocket::readyRead, this, &ClusterConnection::receive);
    connect(&socket_, &QTcpSocket::disconnected, this, [this] {
        lost(QStringLiteral("closed"), QStringLiteral("connexion fermée par le nœud"));
    });
    connect(&socket_, &QTcpSocket::errorOccurred, this,
            [this] { lost(socket_.errorString(), socketErrorText(socket_.error())); });
}

// A socket reports its own closing, which would schedule a new try with the
// timers already gone.
ClusterConnection::~ClusterConnection() {
    socket_.disconnect(this);
}

void ClusterConnection::start() {
    connectToNode();
}

void ClusterConnection::connectToNode() {
    session_.emplace(callsign_, password_);
    probing_ = false;
    if (status_.state != NodeStatus::State::Refused)
        status_.state = NodeStatus::State::Connecting;
    connectTimeout_.start();
    socket_.connectToHost(address_.host, address_.port);
}

void ClusterConnection::connected() {
    connectTimeout_.stop();
    stall_.start(timing_.stall);
    emit message(QStringLiteral("connected to %1").arg(status_.node));
}

void ClusterConnection::silent() {
    if (probing_) {
        lost(QStringLiteral("silent, and no answer to an empty line"),
             QStringLiteral("silencieux, sans réponse à une ligne vide"));
        return;
    }
    // A quiet band is not a dead node: ask, and wait a while for the answer.
    probing_ = true;
    socket_.write("\r\n");
    stall_.start(timing_.probeAnswer);
}

void ClusterConnection::receive() {
    while (session_ && socket_.bytesAvailable() > 0) {
        const ClusterSession::Output out = session_->feed(socket_.read(ReadChunk));
        if (!out.reply.isEmpty())
            socket_.write(out.reply);
        if (socket_.bytesToWrite() > MaxUnsent) {
            lost(QStringLiteral("does not read"),
                 QStringLiteral("ne lit plus ce qu'on lui envoie"));
            return;
        }
        // Whatever the node sends shows it is there.
        probing_ = false;
        stall_.start(timing_.stall);
        if (out.trouble) {
            refused(*out.trouble, out.troubleLine);
            return;
        }
        if (!out.spots.empty()) {
            backoff_.reset();
            if (status_.state != NodeStatus::State::Live) {
                status_.state = NodeStatus::State::Live;
                status_.liveSince = QDateTime::currentDateTimeUtc();
                status_.reason.clear();
                status_.trouble.reset();
            }
        }
        for (const ClusterSpot& spot : out.spots) {
            if (firstHeard(spot))
                ++status_.spots;
            emit spotReceived(spot);
        }
    }
}

bool ClusterConnection::firstHeard(const ClusterSpot& spot) {
    // The node's list of its last spots repeats what came live before.
    const QString key = spot.dx + QLatin1Char(' ') + spot.frequency + QLatin1Char(' ') +
                        QString::number(spot.minuteOfDay) + QLatin1Char(' ') + spot.spotter;
    if (heard_.contains(key))
        return false;
    heard_.insert(key);
    heardOrder_.push_back(key);
    if (heardOrder_.size() > HeardKept) {
        heard_.remove(heardOrder_.front());
        heardOrder_.pop_front();
    }
    return true;
}

void ClusterConnection::lost(const QString& why, const QString& pourquoi) {
    // The socket reports one loss several ways (an error, then the
    // disconnection); the first schedules the next try.
    if (retry_.isActive())
        return;
    if (status_.state != NodeStatus::State::Refused) {
        status_.state = NodeStatus::State::Unreachable;
        status_.reason = pourquoi;
    }
    // After a refusal, retrying fast cannot help.
    retryAfter(status_.state == NodeStatus::State::Refused ? timing_.refusedRetry : backoff_.next(),
               why);
}

void ClusterConnection::refused(ClusterSession::Trouble trouble, const QByteArray& words) {
    status_.state = NodeStatus::State::Refused;
    status_.trouble = trouble;
    status_.reason = QString::fromLatin1(words);
    retryAfter(timing_.refusedRetry, status_.reason);
}

void ClusterConnection::retryAfter(std::chrono::milliseconds wait, const QString& why) {
    if (retry_.isActive())
        return;
    retry_.start(wait);
    stall_.stop();
    connectTimeout_.stop();
    session_.reset();
    emit message(QStringLiteral("%1: %2, trying again in %3 ms")
                     .arg(status_.node)
                     .arg(why)
                     .arg(wait.count()));
    socket_.abort();
}
