#pragma once

#include <QString>
#include <QStringView>

// The fields of one line of the prefix file.
struct Fiche_Prefixe {
    QString prefix;
    QString country;
    QString continent;
    double latitude = 0;
    double longitude = 0;
    QString cqZone;
    QString utcOffset;
    QString ituZone;
};

// What a lookup hands to the details panel: the matching line's fields and the
// distance (whole km) and bearing (whole degrees) from the own station.
struct DxInformation {
    Fiche_Prefixe record;
    double distance = 0;
    double bearing = 0;
};

// Cuts one line of the prefix file into its fields, each trimmed; a field
// beyond the end of the line is empty, a position without a leading number 0.
Fiche_Prefixe readPrefixRecord(QStringView line);

// Looks the callsign up: an exact call of the country file (in the
// exact-call file beside the prefix file) first, with its own zones and
// position; otherwise, in the prefix file, the first line whose prefix
// equals the callsign's first characters (case-sensitive; an empty prefix
// matches every callsign) fills `result`, with distance and bearing from the
// own position given as signed decimal text. The file is read afresh on each
// call. Without a match, or without a readable file, only the country is
// emptied and nothing else in `result` changes.
void Cherche_Prefixe(const QString& prefixFile, const QString& callsign, const QString& ownLatitude,
                     const QString& ownLongitude, DxInformation& result);
