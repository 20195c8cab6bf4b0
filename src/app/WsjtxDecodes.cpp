#include "WsjtxDecodes.h"

#include "CountryTable.h"
#include "Decodages.h"
#include "DecodeSpot.h"
#include "HostPort.h"
#include "LogBook.h"
#include "LogSlots.h"
#include "SpotLogColours.h"
#include "WindowGeometry.h"

namespace {

constexpr int ExpiryCheckMs = 1000;

// WSJT-X's modes are all data; a decode before any status is one too.
ModeGroup groupOfMode(const QString& mode) {
    return contactModeGroup(mode.toUtf8()).value_or(ModeGroup::Data);
}

} // namespace

WsjtxDecodes::WsjtxDecodes(Links links, QObject* parent)
    : QObject(parent), links_(std::move(links)) {
    clock_.start();
    expiry_.setInterval(ExpiryCheckMs);
    connect(&expiry_, &QTimer::timeout, this, [this] {
        if (stations_.expire(clock_.elapsed()))
            redisplaySoon();
    });
    // A burst of decodes (one period's) is shown once.
    redisplay_.setSingleShot(true);
    redisplay_.setInterval(0);
    connect(&redisplay_, &QTimer::timeout, this, &WsjtxDecodes::redisplay);
    connect(&listener_, &WsjtxListener::decoded, this, &WsjtxDecodes::decoded);
    connect(&listener_, &WsjtxListener::cleared, this, &WsjtxDecodes::forget);
    connect(&listener_, &WsjtxListener::closed, this, &WsjtxDecodes::forget);
    connect(&listener_, &WsjtxListener::logged, this, [this](const Wsjtx::QsoLogged& contact) {
        links_.log.addLoggedElsewhere(Wsjtx::adifOf(contact));
    });
    connect(&listener_, &WsjtxListener::loggedAdif, this, [this](const Wsjtx::LoggedAdif& contact) {
        links_.log.addLoggedElsewhere(contact.adif);
    });
}

WsjtxDecodes::~WsjtxDecodes() {
    delete window_;
}

void WsjtxDecodes::listen(const QString& address) {
    // A port held at the last try is tried again.
    if (address == address_ && (address.isEmpty() || listener_.localPort() != 0))
        return;
    address_ = address;
    end();
    listener_.stop();
    links_.tell(QString());
    if (address.isEmpty()) {
        expiry_.stop();
        return;
    }
    const std::optional<HostPort> where = HostPort::parse(address);
    const std::optional<QString> problem =
        where ? listener_.listen(*where)
              : QStringLiteral("WSJT-X : « %1 » n'est pas de la forme hôte:port").arg(address);
    if (problem)
        links_.tell(*problem);
    else
        expiry_.start();
}

void WsjtxDecodes::show() {
    Decodages& window = ensureWindow();
    window.show();
    window.raise();
    window.activateWindow();
}

Decodages& WsjtxDecodes::ensureWindow() {
    if (window_ == nullptr) {
        window_ = new Decodages;
        placeBelowCentre(*window_, WindowOffsets::Decodages);
        connect(window_, &Decodages::stationChosen, this, &WsjtxDecodes::call);
        redisplay();
    }
    return *window_;
}

void WsjtxDecodes::decoded(const Wsjtx::Decode& decode) {
    std::optional<Spot> spot = spotOfDecode(decode, listener_.dialOf(decode.id));
    if (!spot)
        return;
    stations_.add(decode, std::move(*spot), listener_.modeOf(decode.id), clock_.elapsed());
    const DecodedStations::Station& station = stations_.stations().front();
    alertOnce(station, statusOf(station));
    // The window comes by itself with the session's first station.
    if (!opened_) {
        opened_ = true;
        show();
    }
    redisplaySoon();
}

void WsjtxDecodes::forget(const QString& id) {
    stations_.forgetInstance(id);
    redisplaySoon();
}

void WsjtxDecodes::redisplaySoon() {
    if (!redisplay_.isActive())
        redisplay_.start();
}

NeededStatus WsjtxDecodes::statusOf(const DecodedStations::Station& station) const {
    return links_.log.snapshot()->statusOf(station.spot.call, station.spot.kHz(),
                                           groupOfMode(station.mode));
}

void WsjtxDecodes::alertOnce(const DecodedStations::Station& station, NeededStatus status) {
    if (status != NeededStatus::NewEntity)
        return;
    const std::shared_ptr<const CountryTable> countries = links_.countries();
    const int entity = countries ? countries->entityOf(station.spot.call) : 0;
    if (entity == 0 || alertedEntities_.contains(entity))
        return;
    alertedEntities_.insert(entity);
    links_.alertNewEntity();
}

void WsjtxDecodes::redisplay() {
    std::vector<Shown> all;
    all.reserve(stations_.stations().size());
    for (const DecodedStations::Station& station : stations_.stations())
        all.push_back({&station, statusOf(station)});
    highlight(all);
    if (window_ == nullptr)
        return;
    const std::shared_ptr<const CountryTable> countries = links_.countries();
    const bool neededOnly = links_.neededOnly();
    QStringList lines;
    QVariantList colours;
    QStringList calls;
    shownDecodes_.clear();
    for (const Shown& shown : all) {
        if (neededOnly && !isNeeded(shown.status))
            continue;
        const Spot& spot = shown.station->spot;
        const std::optional<Fiche_Prefixe> record =
            countries ? countries->recordOf(spot.call) : std::nullopt;
        lines.append(decodeLine(*shown.station, record ? record->country : QString(),
                                neededText(shown.status)));
        colours.append(statusColour(shown.status));
        calls.append(spot.call);
        shownDecodes_.push_back(shown.station->decode);
    }
    window_->showLines(lines, colours, calls);
}

void WsjtxDecodes::highlight(const std::vector<Shown>& all) {
    QHash<QString, QColor> wanted;
    for (const Shown& shown : all) {
        if (isNeeded(shown.status) && wanted.size() < MostHighlighted)
            wanted.insert(shown.station->spot.call, statusColour(shown.status).value<QColor>());
    }
    for (auto old = highlighted_.cbegin(); old != highlighted_.cend(); ++old) {
        if (!wanted.contains(old.key()))
            listener_.highlight(old.key(), QColor(), QColor());
    }
    for (auto call = wanted.cbegin(); call != wanted.cend(); ++call) {
        if (highlighted_.value(call.key()) != call.value())
            listener_.highlight(call.key(), call.value(), Qt::white);
    }
    highlighted_ = std::move(wanted);
}

void WsjtxDecodes::end() {
    for (auto call = highlighted_.cbegin(); call != highlighted_.cend(); ++call)
        listener_.highlight(call.key(), QColor(), QColor());
    highlighted_.clear();
}

void WsjtxDecodes::call(int row) {
    if (row < 0 || row >= int(shownDecodes_.size()))
        return;
    const Wsjtx::Decode& decode = shownDecodes_[std::size_t(row)];
    const QString call = callingStation(decode.message).value_or(QString());
    if (!listener_.reply(decode)) {
        links_.tell(QStringLiteral("WSJT-X ne répond plus : appel de %1 impossible").arg(call));
        return;
    }
    QString told = QStringLiteral("Appel de %1 transmis à WSJT-X").arg(call);
    if (!toldAcceptRequests_) {
        toldAcceptRequests_ = true;
        told += QStringLiteral(" (il y faut « Accept UDP requests » coché dans Settings → "
                               "Reporting)");
    }
    links_.tell(told);
}
