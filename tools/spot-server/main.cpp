// The local spot-page server: the band pages the program reads, filled with
// the spots of a DX cluster node when the configuration names one, and with
// plausible demonstration spots otherwise.
#include "ClusterConnection.h"
#include "Configuration.h"
#include "LiveSpotPages.h"
#include "ProgramDirectory.h"
#include "SpotPageGenerator.h"
#include "SpotPageServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QTextStream>
#include <memory>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("spot_server"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Serves DX spot pages on 127.0.0.1."));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Port to listen on (0 picks a free one)."),
                                        QStringLiteral("port"), QStringLiteral("8073"));
    const QCommandLineOption configOption(
        QStringLiteral("config"),
        QStringLiteral("Configuration file naming the cluster node and the callsign."),
        QStringLiteral("file"), ProgramDirectory::ofExecutable().file(Configuration::FileName));
    const QCommandLineOption stallOption(
        QStringLiteral("stall"),
        QStringLiteral("Seconds without a line from the node before it is taken as gone."),
        QStringLiteral("seconds"), QStringLiteral("300"));
    parser.addOption(portOption);
    parser.addOption(configOption);
    parser.addOption(stallOption);
    parser.process(app);

    bool valid = false;
    const uint port = parser.value(portOption).toUInt(&valid);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!valid || port > 65535) {
        err << "spot_server: not a port: " << parser.value(portOption) << Qt::endl;
        return 2;
    }
    ClusterTiming timing;
    const uint stallSeconds = parser.value(stallOption).toUInt(&valid);
    if (!valid || stallSeconds == 0 || stallSeconds > 24 * 3600) {
        err << "spot_server: not a number of seconds: " << parser.value(stallOption) << Qt::endl;
        return 2;
    }
    timing.stall = std::chrono::seconds(stallSeconds);

    const Configuration config = Configuration::load(parser.value(configOption));
    LiveSpotPages live;
    std::unique_ptr<ClusterConnection> cluster;
    SpotPageServer::PageMaker pages = [](std::int16_t Bande) {
        return SpotPageGenerator::page(Bande, QDateTime::currentDateTimeUtc());
    };
    if (!config.cluster().isEmpty()) {
        const std::optional<ClusterAddress> node = ClusterAddress::parse(config.cluster());
        if (!node) {
            err << "spot_server: cluster is not host:port: " << config.cluster() << Qt::endl;
            return 2;
        }
        if (config.callsign().isEmpty())
            err << "spot_server: no callsign for the cluster's login" << Qt::endl;
        cluster = std::make_unique<ClusterConnection>(*node, config.callsign().toLatin1(), timing);
        QObject::connect(
            cluster.get(), &ClusterConnection::spotReceived, &app,
            [&live](const ClusterSpot& spot) { live.add(spot, QDateTime::currentDateTimeUtc()); });
        QObject::connect(
            cluster.get(), &ClusterConnection::status, &app,
            [&err](const QString& message) { err << "spot_server: " << message << Qt::endl; });
        pages = [&live](std::int16_t Bande) {
            return live.page(Bande, QDateTime::currentDateTimeUtc());
        };
    }

    SpotPageServer server(pages);
    if (!server.listen(static_cast<quint16>(port))) {
        err << "spot_server: cannot listen on 127.0.0.1:" << port << ": " << server.errorString()
            << Qt::endl;
        return 1;
    }
    if (cluster)
        cluster->start();
    // Read by whoever started the server to learn the port.
    out << "Listening on http://127.0.0.1:" << server.port() << Qt::endl;
    return QCoreApplication::exec();
}
