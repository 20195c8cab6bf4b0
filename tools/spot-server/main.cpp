// The local spot-page server: pages of plausible DX spots for every band, so
// that the program can be run and tested without the public site.
#include "SpotPageServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("spot_server"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Serves DX spot pages on 127.0.0.1."));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Port to listen on (0 picks a free one)."),
                                        QStringLiteral("port"), QStringLiteral("8073"));
    parser.addOption(portOption);
    parser.process(app);

    bool valid = false;
    const uint port = parser.value(portOption).toUInt(&valid);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!valid || port > 65535) {
        err << "spot_server: not a port: " << parser.value(portOption) << Qt::endl;
        return 2;
    }
    SpotPageServer server;
    if (!server.listen(static_cast<quint16>(port))) {
        err << "spot_server: cannot listen on 127.0.0.1:" << port << ": " << server.errorString()
            << Qt::endl;
        return 1;
    }
    // Read by whoever started the server to learn the port.
    out << "Listening on http://127.0.0.1:" << server.port() << Qt::endl;
    return QCoreApplication::exec();
}
