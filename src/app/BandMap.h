#pragma once

#include "BandMapSpots.h"
#include "CarteBande.h"
#include "RelaySpotFeed.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

class CountryTable;
class LogBook;
struct LogSnapshot;

// The band map beside the spot list: the spots of the local spot server as
// it receives them (of the pages read, when the site is another), the band
// the radio is on, read every second, each entry filtered by "Nouveaux
// seulement" and the spotters' continent and coloured by what a contact
// would bring; a click tunes as a click on the list does.
class BandMap : public QObject {
    Q_OBJECT

public:
    // At most twice a second, however many spots come.
    static constexpr int RedrawEveryMs = 500;
    static constexpr int ReadRadioEveryMs = 1000;

    struct Links {
        const LogBook& log;
        std::function<std::shared_ptr<const CountryTable>()> countries;
        // "Nouveaux seulement".
        std::function<bool()> neededOnly;
        // Key `band_map_minutes`.
        std::function<int()> minutes;
        // The operator's continent ("EU"); empty when unknown.
        std::function<QString()> operatorContinent;
        // Reads the radio's frequency in kHz into the callback; false when
        // the chosen transceiver cannot be read.
        std::function<bool(std::function<void(std::optional<double>)>)> readRadio;
        // Tunes the radio to the spot, as a click on the list does.
        std::function<void(const Spot&)> tune;
    };

    explicit BandMap(Links links, QObject* parent = nullptr);
    ~BandMap() override;

    // The local spot server's port; 0 when the site is another, whose pages'
    // spots only are shown.
    void watch(quint16 port);
    // The spots of the pages read, when the site is not the local server.
    void addPageSpots(const std::vector<Spot>& spots);
    // A spot was tuned: its band is the map's while the radio cannot be read.
    void tuned(const Spot& spot);
    // "Voir Carte".
    void show();
    // The log or "Nouveaux seulement" changed.
    void redisplay();

    CarteBande* window() const { return window_; }
    // The spots shown: the server's, else those of the pages read.
    const BandMapSpots& spots() const { return fromPages_ ? pageSpots_ : spots_; }

private:
    void heard(const std::vector<RelayProtocol::HeardSpot>& spots);
    void redisplaySoon();
    void readRadio();
    void showBand(int band);
    qint64 keptMs() const;
    qint64 nowMs() const;
    // Whether a spot is shown: "Nouveaux seulement" and the spotters'
    // continent, read once per redraw.
    std::function<bool(const Spot&)> keeps(const LogSnapshot& log) const;

    Links links_;
    RelaySpotFeed feed_;
    BandMapSpots spots_;
    // Taken from every page read, in case the server gives no spots.
    BandMapSpots pageSpots_;
    QPointer<CarteBande> window_;
    QTimer redraw_;
    QTimer radio_;
    quint16 port_ = 0;
    bool fromPages_ = false;
    QString pagesOnlyBecause_;
    int band_ = 5; // 20 m until the radio or a spot tells
    std::optional<double> radioKhz_;
    QString radioProblem_;
    // The lines of the pages already taken: a page read again brings them
    // back, and they are not spotted again. A day of two busy pages.
    static constexpr qsizetype MostPageLinesTaken = 20'000;
    QSet<QString> pageSpotsTaken_;
};
