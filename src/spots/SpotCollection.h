#pragma once

#include "SortedSpotLines.h"
#include "SpotFilters.h"

#include <QString>
#include <cstdint>
#include <functional>

// Reads the rows of a page's spot table in order; each row's sort line goes
// into the sorted list once per passing filter, then the alert sounds once per
// matching alert before the next row is read. Returns the number of rows read.
int collectSpots(const QString& page, std::int16_t Mode_Tri, const FilterChoices& choices,
                 SortedSpotLines& Liste_Stations_Bis, const std::function<void()>& soundAlert);
