#pragma once

#include <QProcess>
#include <QRegularExpression>

// The project's spot-page server, started on a free loopback port for the
// length of a test.
class SpotServerProcess {
public:
    SpotServerProcess() {
        process_.start(QStringLiteral(SPOT_SERVER_PATH),
                       {QStringLiteral("--port"), QStringLiteral("0")});
        // The server names its address on its first line.
        if (process_.waitForStarted(5000) && process_.waitForReadyRead(5000))
            site_ =
                QRegularExpression(QStringLiteral("^Listening on (http://127\\.0\\.0\\.1:\\d+)$"))
                    .match(QString::fromLatin1(process_.readLine()).trimmed())
                    .captured(1);
    }
    ~SpotServerProcess() {
        process_.terminate();
        process_.waitForFinished(5000);
    }

    // "http://127.0.0.1:<port>", empty when the server did not start.
    const QString& site() const { return site_; }

private:
    QProcess process_;
    QString site_;
};
