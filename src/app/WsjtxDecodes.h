#pragma once

#include "Decodages.h"
#include "DecodedStations.h"
#include "NeededStatus.h"
#include "WsjtxListener.h"

#include <QColor>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class CountryTable;
class LogBook;

// The stations WSJT-X decodes calling CQ, beside the spot list: listened for
// at the address of key `wsjtx_udp`, listed in the "Décodages WSJT-X" window
// in the colour of what a contact would bring, called back through WSJT-X on
// a double click, coloured in WSJT-X's own band activity, and the contacts
// logged there counted at once.
class WsjtxDecodes : public QObject {
    Q_OBJECT

public:
    // WSJT-X keeps no more coloured calls than this.
    static constexpr int MostHighlighted = 100;

    struct Links {
        LogBook& log;
        std::function<std::shared_ptr<const CountryTable>()> countries;
        // "Nouveaux seulement".
        std::function<bool()> neededOnly;
        // The new-entity alert, when the operator wants it.
        std::function<void()> alertNewEntity;
        // A line for the status line; empty: nothing to say.
        std::function<void(const QString&)> tell;
    };

    explicit WsjtxDecodes(Links links, QObject* parent = nullptr);
    ~WsjtxDecodes() override;

    // Listens at the address ("host:port"; empty: not at all), unless it
    // already does; why not goes to the status line.
    void listen(const QString& address);
    // "Voir Décodages".
    void show();
    // The log or "Nouveaux seulement" changed: the lines again.
    void redisplay();
    // The program ends: WSJT-X's calls lose the colours given them.
    void end();

    // The window, once a decode or "Voir Décodages" opened it.
    Decodages* window() const { return window_; }
    WsjtxListener& listener() { return listener_; }

private:
    struct Shown {
        const DecodedStations::Station* station;
        NeededStatus status;
    };

    void decoded(const Wsjtx::Decode& decode);
    void forget(const QString& id);
    void redisplaySoon();
    Decodages& ensureWindow();
    NeededStatus statusOf(const DecodedStations::Station& station) const;
    void alertOnce(const DecodedStations::Station& station, NeededStatus status);
    void highlight(const std::vector<Shown>& all);
    void call(int row);

    Links links_;
    WsjtxListener listener_;
    DecodedStations stations_;
    QString address_;
    QPointer<Decodages> window_;
    QElapsedTimer clock_;
    QTimer expiry_;
    QTimer redisplay_;
    bool opened_ = false;
    bool toldAcceptRequests_ = false;
    // The lines shown, in the window's order.
    std::vector<Wsjtx::Decode> shownDecodes_;
    // The calls coloured in WSJT-X, with their colour.
    QHash<QString, QColor> highlighted_;
    // The new entities already announced this session.
    QSet<int> alertedEntities_;
};
