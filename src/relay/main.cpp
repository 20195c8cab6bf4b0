// The local spot-page server: the band pages the program reads, filled with
// the spots of a DX cluster node when the configuration names one, and with
// plausible demonstration spots otherwise.
#include "ClusterConnection.h"
#include "Configuration.h"
#include "LiveSpotPages.h"
#include "ProgramDirectory.h"
#include "SpotPageGenerator.h"
#include "SpotPageServer.h"
#include "SpotSourceStatus.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QTextStream>
#include <memory>
#include <vector>

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
        QStringLiteral("Seconds of silence from a node before it is asked whether it is there."),
        QStringLiteral("seconds"), QStringLiteral("300"));
    const QCommandLineOption probeOption(
        QStringLiteral("probe-answer"),
        QStringLiteral("Seconds a node asked whether it is there has to answer."),
        QStringLiteral("seconds"), QStringLiteral("60"));
    parser.addOption(portOption);
    parser.addOption(configOption);
    parser.addOption(stallOption);
    parser.addOption(probeOption);
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
    for (const auto& [option, wait] :
         {std::pair{&stallOption, &timing.stall}, std::pair{&probeOption, &timing.probeAnswer}}) {
        const uint seconds = parser.value(*option).toUInt(&valid);
        if (!valid || seconds == 0 || seconds > 24 * 3600) {
            err << "spot_server: not a number of seconds: " << parser.value(*option) << Qt::endl;
            return 2;
        }
        *wait = std::chrono::seconds(seconds);
    }

    // As the program reads them: the file beside it, then the user's own;
    // a file named on the command line alone.
    const Configuration config =
        parser.isSet(configOption)
            ? Configuration::load(parser.value(configOption))
            : Configuration::load(parser.value(configOption), Configuration::userFile());
    const QByteArray callsign = config.callsign().toLatin1();
    LiveSpotPages live;
    std::vector<std::unique_ptr<ClusterConnection>> nodes;
    SpotPageServer::PageMaker pages = [](std::int16_t Bande) {
        return SpotPageGenerator::page(Bande, QDateTime::currentDateTimeUtc());
    };
    SpotPageServer::StatusMaker status = [] { return SpotSourceStatus::demonstration(); };
    if (!config.cluster().isEmpty()) {
        const std::optional<std::vector<ClusterAddress>> addresses =
            ClusterAddress::parseList(config.cluster());
        if (!addresses) {
            err << "spot_server: cluster is not up to " << ClusterAddress::MaxNodes
                << " host:port separated by commas: " << config.cluster() << Qt::endl;
            return 2;
        }
        if (callsign.isEmpty())
            err << "spot_server: no callsign for the cluster's login" << Qt::endl;
        for (const ClusterAddress& address : *addresses) {
            nodes.push_back(std::make_unique<ClusterConnection>(
                address, callsign, config.password().toLatin1(), timing));
            QObject::connect(nodes.back().get(), &ClusterConnection::spotReceived, &app,
                             [&live](const ClusterSpot& spot) {
                                 live.add(spot, QDateTime::currentDateTimeUtc());
                             });
            QObject::connect(
                nodes.back().get(), &ClusterConnection::message, &app,
                [&err](const QString& message) { err << "spot_server: " << message << Qt::endl; });
        }
        pages = [&live](std::int16_t Bande) {
            return live.page(Bande, QDateTime::currentDateTimeUtc());
        };
        status = [&nodes, callsign] {
            std::vector<const NodeStatus*> states;
            for (const std::unique_ptr<ClusterConnection>& node : nodes)
                states.push_back(&node->status());
            return SpotSourceStatus::nodes(callsign, states);
        };
    }

    SpotPageServer server(pages, status);
    if (!server.listen(static_cast<quint16>(port))) {
        err << "spot_server: cannot listen on 127.0.0.1:" << port << ": " << server.errorString()
            << Qt::endl;
        return 1;
    }
    for (const std::unique_ptr<ClusterConnection>& node : nodes)
        node->start();
    // Read by whoever started the server to learn the port.
    out << "Listening on http://127.0.0.1:" << server.port() << Qt::endl;
    return QCoreApplication::exec();
}
