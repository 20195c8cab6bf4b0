#pragma once

#include "SortedSpotLines.h"
#include "SpotFilters.h"

#include <QSet>
#include <QString>
#include <cstdint>
#include <functional>

// Reads the rows of a page's spot table in order; each row's sort line goes
// into the sorted list once per passing filter. Each of the two alerts
// (callsign, remark) sounds for its first matching row only, before the next
// row is read: a sound lasts a while, and one per matching row froze the
// window for as long as the page had such rows. Returns the number of rows
// read. Rows whose station and frequency are in `listed` (the keys of the
// lines shown) meet no alert: an update between two refreshes sounds for new
// spots only.
int collectSpots(const QString& page, std::int16_t Mode_Tri, const FilterChoices& choices,
                 SortedSpotLines& Liste_Stations_Bis, const std::function<void()>& soundAlert,
                 const QSet<QString>& listed = {});
