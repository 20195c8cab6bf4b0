#include "WorkedIndex.h"

#include <algorithm>

QString neededText(NeededStatus status) {
    switch (status) {
    case NeededStatus::NewEntity:
        return QStringLiteral("Nouvelle entité");
    case NeededStatus::NewBand:
        return QStringLiteral("Nouvelle bande");
    case NeededStatus::NewMode:
        return QStringLiteral("Nouveau mode");
    case NeededStatus::NewSlot:
        return QStringLiteral("Nouveau créneau");
    case NeededStatus::EntityToConfirm:
        return QStringLiteral("Entité à confirmer");
    case NeededStatus::SlotToConfirm:
        return QStringLiteral("Créneau à confirmer");
    case NeededStatus::Confirmed:
        return QStringLiteral("Confirmé");
    case NeededStatus::None:
        break;
    }
    return QString();
}

bool isNeeded(NeededStatus status) {
    return status >= NeededStatus::NewEntity && status <= NeededStatus::EntityToConfirm;
}

void WorkedIndex::add(const LoggedContact& contact) {
    ++contacts_;
    if (contact.entity == 0)
        return;
    Entity& entity = entities_[contact.entity];
    const bool confirmed = (contact.confirmedBy & counted_) != 0;
    entity.confirmed = entity.confirmed || confirmed;
    const std::uint32_t band = contact.band < 0 ? 0 : 1u << contact.band;
    entity.bands |= band;
    if (contact.group < 0)
        return;
    entity.groups |= std::uint8_t(1u << contact.group);
    entity.slotBands[contact.group] |= band;
    if (confirmed)
        entity.confirmedSlotBands[contact.group] |= band;
}

NeededStatus WorkedIndex::status(int entity, int band, ModeGroup group) const {
    const auto found = entities_.find(entity);
    if (found == entities_.end())
        return NeededStatus::NewEntity;
    const Entity& worked = found->second;
    const std::uint32_t bandBit = 1u << band;
    const int g = int(group);
    if (!(worked.bands & bandBit))
        return NeededStatus::NewBand;
    if (!(worked.groups & (1u << g)))
        return NeededStatus::NewMode;
    if (!(worked.slotBands[g] & bandBit))
        return NeededStatus::NewSlot;
    if (!worked.confirmed)
        return NeededStatus::EntityToConfirm;
    if (!(worked.confirmedSlotBands[g] & bandBit))
        return NeededStatus::SlotToConfirm;
    return NeededStatus::Confirmed;
}

int WorkedIndex::confirmedEntities() const {
    return int(std::count_if(entities_.begin(), entities_.end(),
                             [](const auto& entity) { return entity.second.confirmed; }));
}
