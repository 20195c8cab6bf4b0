#pragma once

#include "LogBook.h"
#include "NeededStatus.h"
#include "Spot.h"

#include <QSet>
#include <QString>
#include <functional>

class Configuration;
class QListWidget;
class QVariant;

// Red for a new entity, green for a new band, mode or slot, blue for what
// waits for a confirmation; invalid (the usual colour) otherwise.
QVariant statusColour(NeededStatus status);

// The spot lines in the colour of what a contact with their station would
// bring, as the operator's log tells it, and the alert when a new entity's
// spot appears.
class SpotLogColours {
public:
    SpotLogColours(const LogBook& log, const Configuration& config,
                   std::function<void()> playAlert);

    // Each spot line in the colour of what a contact would bring.
    void colour(QListWidget& list) const;
    // "ringout.wav" once when the list shows a new entity's spot that it did
    // not show at the previous call.
    void alertNewEntities(const QListWidget& list);
    // What a contact with the station of a spot line would bring.
    NeededStatus statusOf(const QString& line) const;

private:
    const LogBook& log_;
    const Configuration& config_;
    std::function<void()> playAlert_;
    // The keys of the new entities' spots listed at the previous call.
    QSet<QString> newEntitySpots_;
};
