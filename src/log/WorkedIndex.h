#pragma once

#include "LogSlots.h"
#include "NeededStatus.h"

#include <cstdint>
#include <unordered_map>

// Which confirmations a contact has received.
enum ConfirmedBy : std::uint8_t {
    PaperQsl = 1,
    Lotw = 2,
    Eqsl = 4,
};

// One logged contact as it counts: its entity (ADIF DXCC number, 0 when
// none is known), its band (index in AmateurBands, -1 when none) and mode group
// (-1 when none), and its confirmations.
struct LoggedContact {
    int entity = 0;
    std::int8_t band = -1;
    std::int8_t group = -1;
    std::uint8_t confirmedBy = 0;
};

// What the log holds of each entity: where and how it was worked and
// confirmed.
class WorkedIndex {
public:
    // `counted`: the confirmations that count (ConfirmedBy bits).
    explicit WorkedIndex(std::uint8_t counted = PaperQsl | Lotw) : counted_(counted) {}

    void add(const LoggedContact& contact);
    // What a contact with this entity on this band in this group would bring.
    NeededStatus status(int entity, int band, ModeGroup group) const;

    int contacts() const { return contacts_; }
    int entities() const { return int(entities_.size()); }
    int confirmedEntities() const;

private:
    struct Entity {
        std::uint32_t bands = 0;
        std::uint8_t groups = 0;
        std::uint32_t slotBands[ModeGroupCount] = {};
        bool confirmed = false;
        std::uint32_t confirmedSlotBands[ModeGroupCount] = {};
    };

    std::uint8_t counted_;
    int contacts_ = 0;
    std::unordered_map<int, Entity> entities_;
};
