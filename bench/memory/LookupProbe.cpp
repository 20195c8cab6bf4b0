// Starts the main window as the program does, with the lookup site on a local
// server, presses the lookup button and waits for the page. Reports on
// standard output the milliseconds from the press to the page loaded, and the
// memory then resident: this process's, and the proportional share of the
// browser program and its own helper processes.
#include "Memoire_CL.h"
#include "Program.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <cstdio>

namespace {

// A callsign page of a few kilobytes, whatever is asked.
void serveLookupPages(QTcpServer& server) {
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&server] {
        QTcpSocket* socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
            socket->readAll();
            QByteArray body = "<html><head><title>F5ABC</title></head><body><h1>F5ABC</h1>";
            for (int i = 0; i < 100; ++i)
                body += "<p>Operator details, QSL information, licence class.</p>";
            body += "</body></html>";
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                          QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
            socket->disconnectFromHost();
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    });
}

// A /proc/<pid>/ field in kB: "VmRSS:" of status, "Pss:" of smaps_rollup.
long procKilobytes(const QString& file, const QByteArray& field) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : in.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').first().toLong();
    }
    return 0;
}

// Proportional resident memory of the processes whose parent is parent, and
// of theirs.
long descendantsPss(const QByteArray& parent) {
    long total = 0;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1] == parent) {
            total += procKilobytes(QStringLiteral("/proc/%1/smaps_rollup").arg(pid), "Pss:");
            total += descendantsPss(pid.toLatin1());
        }
    }
    return total;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromLocal8Bit(argv[1]));
    prepareProgram();
    QApplication app(argc, argv);
    applyProgramStyle();

    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost))
        return 1;
    serveLookupPages(server);

    const quint16 port = server.serverPort();
    Program program([port](Configuration& config) {
        config.setLookupSite(QStringLiteral("http://127.0.0.1:%1").arg(port));
    });
    program.state.Ligne_Selection =
        QStringLiteral(" 06-Dec 1405Z  F5ABC         14025.5 DL1XYZ      CW");
    Durerur& window = program.window();
    window.show();
    QApplication::processEvents();

    QEventLoop pageLoaded;
    QTimer::singleShot(60000, &pageLoaded, [&pageLoaded] { pageLoaded.exit(1); });
    QObject::connect(&window.lookupBrowser(), &BrowserProcess::reported, &pageLoaded,
                     [&pageLoaded](const QString& word) {
                         if (word == QLatin1String("loaded"))
                             pageLoaded.exit(0);
                     });
    QElapsedTimer elapsed;
    elapsed.start();
    window.QRZ->click();
    if (pageLoaded.exec() != 0)
        return 1;
    const qint64 openMs = elapsed.elapsed();

    // Let the page settle before reading the memory.
    QEventLoop settle;
    QTimer::singleShot(500, &settle, &QEventLoop::quit);
    settle.exec();
    const long selfKb = procKilobytes(QStringLiteral("/proc/self/status"), "VmRSS:");
    const long helpersKb = descendantsPss(QByteArray::number(QCoreApplication::applicationPid()));
    std::printf("opened %lld %ld %ld\n", static_cast<long long>(openMs), selfKb, helpersKb);
    std::fflush(stdout);
    window.close();
    return 0;
}
