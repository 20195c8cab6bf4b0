#pragma once

#include <QProcess>
#include <QString>

// The project's spot-page server, started on a free loopback port for the
// length of a test.
class SpotServerProcess {
public:
    SpotServerProcess();
    ~SpotServerProcess();

    // "http://127.0.0.1:<port>", empty when the server did not start.
    const QString& site() const { return site_; }

private:
    QProcess process_;
    QString site_;
};
