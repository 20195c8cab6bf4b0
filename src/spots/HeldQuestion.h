#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

class QSocketNotifier;

// Keeps one question open on the local spot server (GET /changes?since=N,
// GET /spots?since=N, which the server holds until it has news) and hands
// each answer over, so that a spot shows as the node sends it. It runs on
// the window's thread without blocking it: a loopback socket watched for
// readiness. A server that does not answer is asked again a few seconds
// later, silently.
class HeldQuestion : public QObject {
    Q_OBJECT

public:
    static constexpr int RetryMs = 3000;
    // A server answering at once every time is not asked more often.
    static constexpr int AskEveryMs = 250;

    // The request for what followed the sequence number.
    using Request = std::function<QByteArray(quint64 since)>;
    // Takes the body of an answer; its sequence number, nothing when the body
    // is no answer of the server.
    using Take = std::function<std::optional<quint64>(const QByteArray& body)>;

    // `longestAnswer`: the bytes an answer may hold; more is not the server's.
    HeldQuestion(Request request, Take take, qsizetype longestAnswer);
    ~HeldQuestion() override;

    // Asks the server on this loopback port; 0 stops asking.
    void watch(quint16 port);

signals:
    // The server does not serve the question (a spot server without nodes
    // has no spots to give one by one); it is asked again later all the same,
    // as it may be restarted with nodes.
    void notServed();

private:
    void ask();
    void connected();
    void readAnswer();
    void finish(bool answered);
    void closeSocket();

    Request request_;
    Take take_;
    qsizetype longestAnswer_;
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
