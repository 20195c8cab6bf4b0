#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QUrl>

// The lookup window's browser program, seen from the main program: started
// with the first lookup, kept while the main window lives, ended with it.
// The program itself holds the one lookup window.
class BrowserProcess : public QObject {
    Q_OBJECT

public:
    static const QString ProgramName;

    explicit BrowserProcess(QString program);
    // Ends the browser program.
    ~BrowserProcess() override;

    // Opens the lookup window on address, or brings the open one forward
    // without a new page. False when the browser program cannot run.
    bool show(const QString& caption, const QUrl& address);
    // Ends the browser program and its window: asked to end, killed after 2 s.
    void end();
    bool running() const { return process_.state() != QProcess::NotRunning; }
    qint64 processId() const { return process_.processId(); }

signals:
    // What the browser program reported: "shown", "raised", "loaded",
    // "failed", "closed".
    void reported(const QString& word);

private:
    QString program_;
    QProcess process_;
};
