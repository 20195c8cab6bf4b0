#pragma once

// Hamlib's dummy radio behind its own daemon, and Hamlib's own client to read
// it back as another program sharing the radio would.
#include "LocalHelper.h"
#include "TestSupport.h"

// rigctld -m 1: Hamlib's dummy radio, on a loopback port.
struct DummyRigctld {
    explicit DummyRigctld(quint16 port) : port(port) { start(); }
    ~DummyRigctld() { stop(); }
    void start() {
        process.start(QStringLiteral("rigctld"),
                      {"-m", "1", "-T", "127.0.0.1", "-t", QString::number(port)});
        QTest::qWaitFor([this] { return LocalHelper::answers(port); }, 5000);
    }
    void stop() {
        process.terminate();
        process.waitForFinished(3000);
    }

    quint16 port;
    QProcess process;
};

// Hamlib's rigctl, model 2, against the daemon: its answer lines.
inline QStringList rigctl(quint16 port, const QStringList& commands) {
    QProcess client;
    client.start(QStringLiteral("rigctl"),
                 QStringList{"-m", "2", "-r", QStringLiteral("127.0.0.1:%1").arg(port)} + commands);
    client.waitForFinished(5000);
    return QString::fromLatin1(client.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}
