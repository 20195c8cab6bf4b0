#pragma once

#include <QString>

// What a contact with a spotted station would bring, the first that holds.
enum class NeededStatus {
    None, // no entity or no ADIF band for the spot, or no log
    NewEntity,
    NewBand,
    NewMode,
    NewSlot,
    EntityToConfirm,
    SlotToConfirm,
    Confirmed,
};

// Its French text; empty for None.
QString neededText(NeededStatus status);
// Statuses kept by "Nouveaux seulement".
bool isNeeded(NeededStatus status);
