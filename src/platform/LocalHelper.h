#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>

// A helper program the program runs on this machine while it needs it (its
// spot server, Hamlib's rigctld): started only when nothing answers on its
// loopback port yet (another copy of the program, or the user, may run one),
// stopped with the program, and never left behind by a program that died.
class LocalHelper {
public:
    LocalHelper();
    // Stops the helper it started.
    ~LocalHelper();
    LocalHelper(const LocalHelper&) = delete;
    LocalHelper& operator=(const LocalHelper&) = delete;

    // Starts `program` unless it runs already or something answers on
    // `port`; true when it was started now.
    bool startUnlessAnswering(const QString& program, const QStringList& arguments, quint16 port);
    bool started() const { return process_.state() != QProcess::NotRunning; }
    // Stops the helper it started, if it still runs.
    void stop();

    // Whether something accepts a connection on the loopback port.
    static bool answers(quint16 port);
    // A loopback port nothing listens on at the moment.
    static quint16 freePort();
    // Waits, at most `limitMs`, until the helper it started listens on the
    // port; false when it did not, or has ended.
    bool waitUntilAnswering(quint16 port, qint64 limitMs) const;

private:
    QProcess process_;
    // The helper it started has ended: a wait for its port stops at once.
    std::shared_ptr<std::atomic<bool>> ended_ = std::make_shared<std::atomic<bool>>(false);
};
