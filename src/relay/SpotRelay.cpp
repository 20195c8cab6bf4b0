#include "SpotRelay.h"

#include "Configuration.h"
#include "RelayProtocol.h"
#include "SpotPageGenerator.h"
#include "SpotSourceStatus.h"

#include <QDateTime>

SpotRelay::SpotRelay(const Configuration& config, ClusterTiming timing, QObject* parent)
    : QObject(parent), callsign_(config.callsign().toLatin1()) {
    SpotPageServer::PageMaker demonstration = [](std::int16_t Bande) {
        return SpotPageGenerator::page(Bande, QDateTime::currentDateTimeUtc());
    };
    if (config.cluster().isEmpty()) {
        server_ = std::make_unique<SpotPageServer>(
            demonstration, [] { return SpotSourceStatus::demonstration(); });
        return;
    }
    const std::optional<std::vector<HostPort>> addresses = HostPort::parseList(config.cluster());
    if (!addresses || addresses->empty()) {
        // The pages still come, and /status says why they are not live.
        const QString problem =
            QStringLiteral("« cluster » n'est pas une liste de nœuds hôte:port : %1")
                .arg(config.cluster());
        server_ = std::make_unique<SpotPageServer>(
            demonstration, [problem] { return SpotSourceStatus::demonstration(problem); });
        return;
    }
    for (const HostPort& address : *addresses) {
        if (static_cast<int>(nodes_.size()) < Configuration::MaxClusterNodes)
            addNode(address, config.password().toLatin1(), timing);
        else
            ignored_.append(address.toString());
    }
    server_ = std::make_unique<SpotPageServer>(
        [this](std::int16_t Bande) { return live_.page(Bande, QDateTime::currentDateTimeUtc()); },
        [this] { return status(); }, [this](quint64 since) { return changes(since); },
        [this](quint64 since) { return spots(since); });
}

SpotRelay::~SpotRelay() = default;

void SpotRelay::addNode(const HostPort& address, const QByteArray& password, ClusterTiming timing) {
    auto node = std::make_unique<ClusterConnection>(address, callsign_, password, timing);
    connect(node.get(), &ClusterConnection::spotReceived, this,
            [this](const ClusterSpot& spot) { add(spot); });
    connect(node.get(), &ClusterConnection::message, this, &SpotRelay::message);
    nodes_.push_back(std::move(node));
}

bool SpotRelay::listen(quint16 port) {
    if (!server_->listen(port))
        return false;
    for (const std::unique_ptr<ClusterConnection>& node : nodes_)
        node->start();
    return true;
}

QByteArray SpotRelay::status() const {
    std::vector<const NodeStatus*> states;
    for (const std::unique_ptr<ClusterConnection>& node : nodes_)
        states.push_back(&node->status());
    return SpotSourceStatus::nodes(callsign_, states, ignored_);
}

void SpotRelay::add(const ClusterSpot& spot) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    recent_.add(spot, now);
    const std::vector<std::int16_t> changed = live_.add(spot, now);
    if (!changed.empty())
        ++sequence_;
    for (const std::int16_t band : changed)
        changedAt_[static_cast<std::size_t>(band)] = sequence_;
    server_->newsArrived();
}

std::optional<QByteArray> SpotRelay::changes(quint64 since) const {
    if (sequence_ == since)
        return std::nullopt;
    // A number past this relay's own comes from one that ran before it:
    // every page may differ.
    const bool anotherRelay = since > sequence_;
    RelayProtocol::Changes changes{sequence_, {}};
    for (std::size_t band = 0; band < changedAt_.size(); ++band) {
        if (anotherRelay || changedAt_[band] > since)
            changes.bands.push_back(int(band));
    }
    return RelayProtocol::encodeChanges(changes);
}

std::optional<QByteArray> SpotRelay::spots(quint64 since) const {
    if (since == recent_.sequence())
        return std::nullopt;
    return RelayProtocol::encodeSpots(recent_.since(since, QDateTime::currentDateTimeUtc()));
}
