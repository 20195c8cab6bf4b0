#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QTimer>
#include <memory>
#include <vector>

class QSocketNotifier;

// Keeps one request for changes open on the local spot server
// (GET /changes?since=N, which the server holds until a page changes) and
// tells which band pages changed, so that a spot shows as the node sends it
// rather than at the next minute. It runs on the window's thread without
// blocking it: a loopback socket watched for readiness. A server that does
// not answer is asked again a few seconds later, silently; the minute
// refresh goes on meanwhile.
class SpotChangeWatcher : public QObject {
    Q_OBJECT

public:
    static constexpr int RetryMs = 3000;
    // A server answering at once every time is not asked more often.
    static constexpr int AskEveryMs = 250;

    SpotChangeWatcher();
    ~SpotChangeWatcher() override;

    // Watches the server on this loopback port; 0 stops watching.
    void watch(quint16 port);

signals:
    // The band indexes whose pages changed since the last answer.
    void bandsChanged(const std::vector<int>& bands);

private:
    void ask();
    void connected();
    void readAnswer();
    void finish(bool answered);
    void closeSocket();

    quint16 port_ = 0;
    int socket_ = -1;
    std::unique_ptr<QSocketNotifier> writable_;
    std::unique_ptr<QSocketNotifier> readable_;
    QByteArray answer_;
    // The server's sequence number, 0 before its first answer.
    quint64 since_ = 0;
    QTimer retry_;
    // The earliest the next request may go out.
    QDeadlineTimer nextAsk_;
};
