#include "SpotLogColours.h"

#include "Configuration.h"
#include "SpotCollection.h"

#include <QColor>
#include <QListWidget>

QVariant statusColour(NeededStatus status) {
    switch (status) {
    case NeededStatus::NewEntity:
        return QColor(0xC0, 0x00, 0x00);
    case NeededStatus::NewBand:
    case NeededStatus::NewMode:
    case NeededStatus::NewSlot:
        return QColor(0x00, 0x80, 0x00);
    case NeededStatus::EntityToConfirm:
    case NeededStatus::SlotToConfirm:
        return QColor(0x00, 0x00, 0xC0);
    default:
        return QVariant();
    }
}

SpotLogColours::SpotLogColours(const LogBook& log, const Configuration& config,
                               std::function<void()> playAlert)
    : log_(log), config_(config), playAlert_(std::move(playAlert)) {}

NeededStatus SpotLogColours::statusOf(const QString& line) const {
    return log_.snapshot()->statusOfSpot(spotOfLine(line));
}

void SpotLogColours::colour(QListWidget& list) const {
    const std::shared_ptr<const LogSnapshot> log = log_.snapshot();
    for (int row = 0; row < list.count(); ++row) {
        QListWidgetItem* item = list.item(row);
        item->setData(Qt::ForegroundRole,
                      statusColour(log->statusOfSpot(spotOfLine(item->text()))));
    }
}

void SpotLogColours::alertNewEntities(const QListWidget& list) {
    const std::shared_ptr<const LogSnapshot> log = log_.snapshot();
    QSet<QString> listed;
    for (int row = 0; row < list.count(); ++row) {
        const Spot spot = spotOfLine(list.item(row)->text());
        if (log->statusOfSpot(spot) == NeededStatus::NewEntity)
            listed.insert(listedKey(spot));
    }
    const bool appeared = !(listed - newEntitySpots_).isEmpty();
    newEntitySpots_ = listed;
    if (appeared && config_.isYes(ConfigKey::AlertNewEntity))
        playAlert_();
}
