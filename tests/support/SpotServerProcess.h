#pragma once

#include "TestSupport.h"

#include <sys/resource.h>

// The project's spot-page server, started on a free loopback port for the
// length of a test, with the configuration file beside it or the one given,
// and any further options.
class SpotServerProcess {
public:
    // `openFiles`, when given, limits the descriptors the server may hold,
    // as a user's usual limit of 1024 does.
    explicit SpotServerProcess(const QString& config = QString(),
                               const QStringList& options = QStringList(), rlim_t openFiles = 0) {
        if (openFiles > 0)
            process_.setChildProcessModifier([openFiles] {
                const rlimit limit{openFiles, openFiles};
                ::setrlimit(RLIMIT_NOFILE, &limit);
            });
        QStringList arguments{QStringLiteral("--port"), QStringLiteral("0")};
        if (!config.isEmpty())
            arguments << QStringLiteral("--config") << config;
        arguments << options;
        process_.start(QStringLiteral(SPOT_SERVER_PATH), arguments);
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
    quint16 port() const { return static_cast<quint16>(site_.section(':', -1).toUInt()); }
    // Its resident memory, from /proc.
    long residentKb() const { return ::residentKb(QString::number(process_.processId())); }

private:
    QProcess process_;
    QString site_;
};
