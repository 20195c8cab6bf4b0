#pragma once

#include "BandTable.h"

#include <QByteArrayView>
#include <QStringView>
#include <array>
#include <cstdint>
#include <optional>

// What a contact is counted by beside its entity: its band and its mode
// group, for a logged contact and for a spot alike.

// The index in AmateurBands of an ADIF band name, in any case ("20M").
std::optional<int> bandNamed(QByteArrayView name);

enum class ModeGroup : std::uint8_t { Cw, Phone, Data };
inline constexpr int ModeGroupCount = 3;

// A logged contact's group: CW; phone for SSB, AM, FM and the digital voices;
// data for every other mode. None without a mode.
std::optional<ModeGroup> contactModeGroup(QByteArrayView mode);
// A spot's group, by the band plan's rule whatever the click sets: the
// remark's CW or digital-mode word, the FT8/FT4 dial windows, the CW
// segments, else phone.
ModeGroup spotModeGroup(double khz, QStringView remark);
