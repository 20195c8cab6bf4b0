#pragma once

#include "CountryTable.h"

// What the details panel shows of a callsign: its line of the country table,
// and the distance (whole km) and bearing (whole degrees) from the own
// station.
struct DxInformation {
    Fiche_Prefixe record;
    double distance = 0;
    double bearing = 0;
};

// The own position is given as signed decimal text. Without a line for the
// callsign, every field is empty and both numbers 0.
DxInformation Cherche_Prefixe(const CountryTable& countries, QStringView callsign,
                              const QString& ownLatitude, const QString& ownLongitude);

// The continent of the country whose centre lies nearest the own position
// (signed decimal text): where a station is when its callsign does not say.
// Empty when the table has no country.
QString continentNear(const CountryTable& countries, const QString& ownLatitude,
                      const QString& ownLongitude);
