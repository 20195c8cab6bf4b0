#include "LogSlots.h"

#include "SpotMode.h"

#include <cmath>

std::optional<int> bandNamed(QByteArrayView name) {
    name = name.trimmed();
    for (int i = 0; i < int(AmateurBands.size()); ++i) {
        if (name.compare(QByteArrayView(AmateurBands[i].adifName), Qt::CaseInsensitive) == 0)
            return i;
    }
    return std::nullopt;
}

std::optional<ModeGroup> contactModeGroup(QByteArrayView mode) {
    mode = mode.trimmed();
    if (mode.isEmpty())
        return std::nullopt;
    if (mode.compare("CW", Qt::CaseInsensitive) == 0)
        return ModeGroup::Cw;
    for (const char* phone : {"SSB", "AM", "FM", "DIGITALVOICE", "DSTAR", "C4FM"}) {
        if (mode.compare(QByteArrayView(phone), Qt::CaseInsensitive) == 0)
            return ModeGroup::Phone;
    }
    return ModeGroup::Data;
}

ModeGroup spotModeGroup(double khz, QStringView remark) {
    const auto tenHertz = static_cast<std::int32_t>(std::lround(khz * 100));
    switch (spotMode(ModeRule::BandPlan, tenHertz, remark).value_or(SpotMode::UpperSideband)) {
    case SpotMode::Cw:
        return ModeGroup::Cw;
    case SpotMode::Data:
        return ModeGroup::Data;
    default:
        return ModeGroup::Phone;
    }
}
