// spot_server, the cluster relay: reads its options and the configuration,
// then runs a SpotRelay until it is stopped.
#include "Configuration.h"
#include "ProgramDirectory.h"
#include "SpotRelay.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

namespace {

// The command line's options and their defaults.
struct Options {
    const QCommandLineOption portOption{QStringLiteral("port"),
                                        QStringLiteral("Port to listen on (0 picks a free one)."),
                                        QStringLiteral("port"), QStringLiteral("8073")};
    const QCommandLineOption configOption{
        QStringLiteral("config"),
        QStringLiteral("Configuration file naming the cluster node and the callsign."),
        QStringLiteral("file"), ProgramDirectory::ofExecutable().file(Configuration::FileName)};
    const QCommandLineOption stallOption{
        QStringLiteral("stall"),
        QStringLiteral("Seconds of silence from a node before it is asked whether it is there."),
        QStringLiteral("seconds"), QStringLiteral("300")};
    const QCommandLineOption probeOption{
        QStringLiteral("probe-answer"),
        QStringLiteral("Seconds a node asked whether it is there has to answer."),
        QStringLiteral("seconds"), QStringLiteral("60")};
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("spot_server"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Serves DX spot pages on 127.0.0.1."));
    parser.addHelpOption();
    const Options options;
    parser.addOptions(
        {options.portOption, options.configOption, options.stallOption, options.probeOption});
    parser.process(app);

    bool valid = false;
    const uint port = parser.value(options.portOption).toUInt(&valid);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!valid || port > 65535) {
        err << "spot_server: not a port: " << parser.value(options.portOption) << Qt::endl;
        return 2;
    }
    ClusterTiming timing;
    for (const auto& [option, wait] : {std::pair{&options.stallOption, &timing.stall},
                                       std::pair{&options.probeOption, &timing.probeAnswer}}) {
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
        parser.isSet(options.configOption)
            ? Configuration::load(parser.value(options.configOption))
            : Configuration::load(parser.value(options.configOption), Configuration::userFile());
    SpotRelay relay(config, timing);
    if (!config.cluster().isEmpty() && config.callsign().isEmpty())
        err << "spot_server: no callsign for the cluster's login" << Qt::endl;
    QObject::connect(&relay, &SpotRelay::message, &app, [&err](const QString& message) {
        err << "spot_server: " << message << Qt::endl;
    });
    if (!relay.listen(static_cast<quint16>(port))) {
        err << "spot_server: cannot listen on 127.0.0.1:" << port << ": " << relay.errorString()
            << Qt::endl;
        return 1;
    }
    // Read by whoever started the server to learn the port.
    out << "Listening on http://127.0.0.1:" << relay.port() << Qt::endl;
    return QCoreApplication::exec();
}
