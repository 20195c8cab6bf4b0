#include "SpotServerProcess.h"

#include <QRegularExpression>

SpotServerProcess::SpotServerProcess() {
    process_.start(QStringLiteral(SPOT_SERVER_PATH),
                   {QStringLiteral("--port"), QStringLiteral("0")});
    if (!process_.waitForStarted(5000) || !process_.waitForReadyRead(5000))
        return;
    // The server names its address on its first line.
    const QRegularExpressionMatch banner =
        QRegularExpression(QStringLiteral("^Listening on (http://127\\.0\\.0\\.1:\\d+)$"))
            .match(QString::fromLatin1(process_.readLine()).trimmed());
    if (banner.hasMatch())
        site_ = banner.captured(1);
}

SpotServerProcess::~SpotServerProcess() {
    process_.terminate();
    process_.waitForFinished(5000);
}
