#include "BandMap.h"

#include "BandTable.h"
#include "CountryTable.h"
#include "LogBook.h"
#include "SpotLogColours.h"
#include "WindowGeometry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QHash>
#include <QLabel>

namespace {

constexpr qint64 MinuteMs = 60 * 1000;

} // namespace

BandMap::BandMap(Links links, QObject* parent) : QObject(parent), links_(std::move(links)) {
    connect(&feed_, &RelaySpotFeed::spotsHeard, this, &BandMap::heard);
    connect(&feed_, &RelaySpotFeed::notServed, this, [this] {
        fromPages_ = true;
        pagesOnlyBecause_ = QStringLiteral("le serveur de spots local n'a pas de nœud");
        redisplay();
    });
    redraw_.setSingleShot(true);
    redraw_.setInterval(RedrawEveryMs);
    connect(&redraw_, &QTimer::timeout, this, &BandMap::redisplay);
    radio_.setInterval(ReadRadioEveryMs);
    connect(&radio_, &QTimer::timeout, this, &BandMap::readRadio);
}

BandMap::~BandMap() {
    delete window_;
}

void BandMap::watch(quint16 port) {
    // Spots of another source would be counted twice with the new one's.
    if (port != port_)
        spots_ = BandMapSpots();
    port_ = port;
    fromPages_ = port == 0;
    pagesOnlyBecause_ = QStringLiteral("le site n'est pas le serveur de spots local");
    feed_.watch(port);
}

qint64 BandMap::nowMs() const {
    return QDateTime::currentMSecsSinceEpoch();
}

qint64 BandMap::keptMs() const {
    return qint64(std::max(1, links_.minutes())) * MinuteMs;
}

void BandMap::heard(const std::vector<RelayProtocol::HeardSpot>& spots) {
    // A server that had no node has one now.
    fromPages_ = false;
    for (const RelayProtocol::HeardSpot& spot : spots)
        spots_.add({spot.spot, spot.heardMs});
    redisplaySoon();
}

void BandMap::addPageSpots(const std::vector<Spot>& spots) {
    const qint64 now = nowMs();
    // Kept while the map is closed too, so as much as it shows.
    pageSpots_.expire(now, keptMs());
    if (pageSpotsTaken_.size() > MostPageLinesTaken)
        pageSpotsTaken_.clear();
    for (const Spot& spot : spots) {
        const QString line = spotLine(spot);
        if (pageSpotsTaken_.contains(line))
            continue;
        pageSpotsTaken_.insert(line);
        pageSpots_.add({spot, now});
    }
    if (fromPages_)
        redisplaySoon();
}

void BandMap::tuned(const Spot& spot) {
    if (const std::optional<int> band = spot.band(); band && !radioKhz_)
        showBand(*band);
}

void BandMap::show() {
    if (window_ == nullptr) {
        window_ = new CarteBande;
        placeBelowCentre(*window_, WindowOffsets::CarteBande);
        window_->Bande_Carte->setCurrentIndex(band_);
        connect(window_->Bande_Carte, &QComboBox::activated, this,
                [this](int band) { showBand(band); });
        connect(window_->Check_Continent, &QCheckBox::toggled, this, &BandMap::redisplay);
        connect(window_->Vue_Carte, &BandMapView::entryChosen, this,
                [this](const Spot& spot) { links_.tune(spot); });
        window_->Vue_Carte->setBand(AmateurBands[std::size_t(band_)].lowKhz,
                                    AmateurBands[std::size_t(band_)].highKhz);
        radio_.start();
        readRadio();
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
    redisplay();
}

void BandMap::showBand(int band) {
    if (band < 0 || band >= int(AmateurBands.size()) || band == band_)
        return;
    band_ = band;
    if (window_ != nullptr) {
        window_->Bande_Carte->setCurrentIndex(band);
        window_->Vue_Carte->setBand(AmateurBands[std::size_t(band)].lowKhz,
                                    AmateurBands[std::size_t(band)].highKhz);
    }
    redisplay();
}

void BandMap::readRadio() {
    if (window_ == nullptr || !window_->isVisible())
        return;
    const bool readable = links_.readRadio([this](std::optional<double> khz) {
        radioKhz_ = khz;
        if (khz) {
            if (const std::optional<int> band = amateurBandOfKhz(*khz))
                showBand(*band);
        }
        radioProblem_ = khz ? QString()
                            : QStringLiteral("La radio ne répond pas : la carte reste sur le %1")
                                  .arg(QLatin1String(AmateurBands[std::size_t(band_)].adifName));
        if (window_ != nullptr)
            window_->Vue_Carte->setRadioKhz(radioKhz_);
        redisplaySoon();
    });
    if (!readable) {
        radioKhz_.reset();
        radioProblem_ = QStringLiteral("Cette radio ne dit pas sa fréquence : la carte montre la "
                                       "bande du dernier spot réglé, ou celle choisie ici");
    }
}

void BandMap::redisplaySoon() {
    if (!redraw_.isActive())
        redraw_.start();
}

std::function<bool(const Spot&)> BandMap::keeps(const LogSnapshot& log) const {
    const bool neededOnly = links_.neededOnly();
    std::shared_ptr<const CountryTable> countries;
    QString mine;
    if (window_->Check_Continent->isChecked()) {
        countries = links_.countries();
        mine = links_.operatorContinent();
    }
    // A contest's thousands of spots come from a few dozen skimmers: each
    // spotter is looked up once per redraw.
    return [&log, neededOnly, countries, mine,
            near = std::make_shared<QHash<QString, bool>>()](const Spot& spot) {
        if (neededOnly && !isNeeded(log.statusOfSpot(spot)))
            return false;
        if (!countries || mine.isEmpty())
            return true;
        const auto known = near->constFind(spot.spotter);
        if (known != near->cend())
            return *known;
        const std::optional<Fiche_Prefixe> spotter = countries->recordOf(spotterCall(spot.spotter));
        return near->insert(spot.spotter, spotter && spotter->continent == mine).value();
    };
}

void BandMap::redisplay() {
    const qint64 now = nowMs();
    spots_.expire(now, keptMs());
    pageSpots_.expire(now, keptMs());
    if (window_ == nullptr || !window_->isVisible())
        return;
    const std::shared_ptr<const LogSnapshot> log = links_.log.snapshot();
    std::vector<BandMapView::Shown> shown;
    for (const BandMapEntry& entry : spots().entries(band_, now, keptMs(), keeps(*log))) {
        const NeededStatus status = log->statusOfSpot(entry.latest);
        QString tooltip = entry.latest.spotter + QStringLiteral(" : ") + entry.latest.remark;
        if (isSkimmerSpot(entry.latest))
            tooltip += QStringLiteral("\n") + skimmerStrength(entry.latest.remark);
        shown.push_back({entry, entryDescription(entry, neededText(status), now),
                         statusColour(status).value<QColor>(),
                         freshness(now - entry.heardMs, keptMs()), tooltip});
    }
    window_->Vue_Carte->showEntries(shown);
    QStringList says;
    if (fromPages_)
        says.append(QStringLiteral("Spots des pages lues seulement : ") + pagesOnlyBecause_);
    if (!radioProblem_.isEmpty())
        says.append(radioProblem_);
    window_->Etat_Carte->setText(says.join(QStringLiteral(" ; ")));
}
