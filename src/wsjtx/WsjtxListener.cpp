#include "WsjtxListener.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>

namespace {

const QString OurId = QStringLiteral("Pelk_Dedirad");

std::optional<QHostAddress> hostAddress(const QString& host) {
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return QHostAddress(QHostAddress::LocalHost);
    QHostAddress address(host);
    if (address.isNull())
        return std::nullopt;
    return address;
}

QString idOf(const Wsjtx::Message& message) {
    return std::visit([](const auto& m) { return m.id; }, message);
}

} // namespace

WsjtxListener::WsjtxListener(QObject* parent) : QObject(parent) {
    connect(&socket_, &QUdpSocket::readyRead, this, &WsjtxListener::readPending);
}

std::optional<QString> WsjtxListener::listen(const HostPort& address) {
    stop();
    const std::optional<QHostAddress> host = hostAddress(address.host);
    if (!host)
        return QStringLiteral("WSJT-X : « %1 » n'est pas une adresse IP").arg(address.host);
    const bool group = host->isMulticast();
    const bool bound =
        group ? socket_.bind(host->protocol() == QAbstractSocket::IPv6Protocol
                                 ? QHostAddress::AnyIPv6
                                 : QHostAddress::AnyIPv4,
                             address.port, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)
              : socket_.bind(*host, address.port, QUdpSocket::DontShareAddress);
    if (!bound) {
        const bool taken = socket_.error() == QAbstractSocket::AddressInUseError;
        stop();
        if (taken)
            return QStringLiteral("WSJT-X : le port %1 est déjà pris par un autre programme ; pour "
                                  "l'écouter à plusieurs, donnez ici et dans WSJT-X une adresse de "
                                  "multidiffusion (239.255.0.1:%1)")
                .arg(address.port);
        return QStringLiteral("WSJT-X : impossible d'écouter à %1").arg(address.toString());
    }
    if (group) {
        int joined = 0;
        for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
            if (interface.flags().testFlag(QNetworkInterface::IsUp) &&
                socket_.joinMulticastGroup(*host, interface))
                ++joined;
        }
        if (joined == 0) {
            stop();
            return QStringLiteral("WSJT-X : impossible de rejoindre le groupe %1")
                .arg(address.toString());
        }
    }
    return std::nullopt;
}

void WsjtxListener::stop() {
    socket_.close();
    instances_.clear();
}

quint64 WsjtxListener::dialOf(const QString& id) const {
    return instances_.value(id).dialHz;
}

QString WsjtxListener::modeOf(const QString& id) const {
    return instances_.value(id).mode;
}

QString WsjtxListener::dxCallOf(const QString& id) const {
    return instances_.value(id).dxCall;
}

bool WsjtxListener::reply(const Wsjtx::Decode& decode) {
    const auto instance = instances_.constFind(decode.id);
    if (instance == instances_.cend())
        return false;
    send(*instance, Wsjtx::replyDatagram(decode, instance->schema));
    return true;
}

void WsjtxListener::highlight(const QString& callsign, const QColor& background,
                              const QColor& foreground) {
    for (auto instance = instances_.cbegin(); instance != instances_.cend(); ++instance)
        send(*instance, Wsjtx::highlightDatagram(instance.key(), callsign, background, foreground,
                                                 instance->schema));
}

void WsjtxListener::readPending() {
    while (socket_.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket_.receiveDatagram();
        receive(datagram.data(), datagram.senderAddress(), quint16(datagram.senderPort()));
    }
}

void WsjtxListener::receive(const QByteArray& bytes, const QHostAddress& from, quint16 port) {
    const Wsjtx::Datagram datagram = Wsjtx::readDatagram(bytes);
    if (datagram.fault != Wsjtx::Fault::None) {
        ++dropped_;
        return;
    }
    if (!datagram.message)
        return; // a type of a later version, or one sent to WSJT-X
    const QString id = idOf(*datagram.message);
    auto instance = instances_.find(id);
    if (instance == instances_.end()) {
        if (instances_.size() >= MostInstances) {
            ++dropped_;
            return;
        }
        instance = instances_.insert(id, Instance());
    }
    instance->address = from;
    instance->port = port;
    instance->schema = datagram.schema;
    handle(*datagram.message, *instance);
    if (std::holds_alternative<Wsjtx::Close>(*datagram.message))
        instances_.remove(id);
}

void WsjtxListener::handle(const Wsjtx::Message& message, Instance& instance) {
    if (const auto* heartbeat = std::get_if<Wsjtx::Heartbeat>(&message)) {
        instance.schema =
            std::clamp(heartbeat->maximumSchema, Wsjtx::LowestSchema, Wsjtx::HighestSchema);
        send(instance, Wsjtx::heartbeatDatagram(OurId, heartbeat->maximumSchema,
                                                QStringLiteral(PELK_VERSION)));
    } else if (const auto* status = std::get_if<Wsjtx::Status>(&message)) {
        instance.dialHz = status->dialHz;
        instance.mode = status->mode;
        instance.dxCall = status->dxCall;
    } else if (const auto* decode = std::get_if<Wsjtx::Decode>(&message)) {
        emit decoded(*decode);
    } else if (const auto* clear = std::get_if<Wsjtx::Clear>(&message)) {
        emit cleared(clear->id);
    } else if (const auto* contact = std::get_if<Wsjtx::QsoLogged>(&message)) {
        emit logged(*contact);
    } else if (const auto* adif = std::get_if<Wsjtx::LoggedAdif>(&message)) {
        emit loggedAdif(*adif);
    } else if (const auto* close = std::get_if<Wsjtx::Close>(&message)) {
        emit closed(close->id);
    }
}

void WsjtxListener::send(const Instance& instance, const QByteArray& datagram) {
    socket_.writeDatagram(datagram, instance.address, instance.port);
}
