#pragma once

#include "SortedSpotLines.h"

#include <QStringList>
#include <cstdint>

// The spot lines to append to the visible list after a page has been read:
// newest date first in Mode_Tri 1, ascending DX or frequency in modes 2 and 3.
// Each shown line carries the row's fields whole, so a frequency longer than
// its column is never cut.
QStringList displayPass(const SortedSpotLines& Liste_Stations_Bis, std::int16_t Mode_Tri);
