#include "Durerur.h"

#include "SpotCollection.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>

namespace {

// Red for a new entity, green for a new band, mode or slot, blue for what
// waits for a confirmation; the usual colour otherwise.
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

} // namespace

NeededStatus Durerur::statusOfSpot(const LogSnapshot& log, const SpotRow& spot) {
    return log.statusOfSpot(QStringView(spot.DX).trimmed(),
                            QStringView(spot.QRG).trimmed().toDouble(), spot.Remarques);
}

NeededStatus Durerur::neededStatusOf(const QString& line) const {
    return statusOfSpot(*log_.snapshot(), spotOfLine(line));
}

void Durerur::applyLogConfiguration() {
    log_.setLog(Configuration::splitFiles(config_.value(ConfigKey::AdifLog)),
                config_.names(ConfigKey::Confirmations));
    Check5->setChecked(config_.isYes(ConfigKey::NeededOnly));
}

void Durerur::colourSpotLines() {
    const std::shared_ptr<const LogSnapshot> log = log_.snapshot();
    for (int row = 0; row < Liste_Stations->count(); ++row) {
        QListWidgetItem* item = Liste_Stations->item(row);
        item->setData(Qt::ForegroundRole,
                      statusColour(statusOfSpot(*log, spotOfLine(item->text()))));
    }
}

void Durerur::alertNewEntities() {
    const std::shared_ptr<const LogSnapshot> log = log_.snapshot();
    QSet<QString> listed;
    for (int row = 0; row < Liste_Stations->count(); ++row) {
        const SpotRow spot = spotOfLine(Liste_Stations->item(row)->text());
        if (statusOfSpot(*log, spot) == NeededStatus::NewEntity)
            listed.insert(listedKey(spot));
    }
    const bool appeared = !(listed - newEntitySpots_).isEmpty();
    newEntitySpots_ = listed;
    if (appeared && config_.isYes(ConfigKey::AlertNewEntity))
        refresh_.playAlert();
}

void Durerur::logChanged() {
    const std::shared_ptr<const LogSnapshot> log = log_.snapshot();
    statusLine_.showLog(log->status, log->hasLog);
    // The lines already read, filtered and coloured again.
    if (!refresh_.redisplay())
        colourSpotLines();
}

void Durerur::Check5_Click() {
    const QString value = Configuration::yesOrNo(Check5->isChecked());
    config_.setValue(ConfigKey::NeededOnly, value);
    // A choice that cannot be kept still applies to this run.
    Configuration::saveKeys(Configuration::userFile(), {{QStringLiteral("needed_only"), value}});
    refresh_.redisplay();
}
