#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// One prefix of the country file with the values that apply to it, in this
// program's conventions.
struct PrefixEntry {
    QString prefix;
    QString country;
    // The country file's two-letter code: EU, AS, AF, NA, SA, OC, AN.
    QString continent;
    int cqZone = 0;
    int ituZone = 0;
    // North positive.
    double latitude = 0;
    // East positive (the country file counts west positive).
    double longitude = 0;
    // Local time minus UTC in hours (the country file gives UTC minus local).
    double utcOffset = 0;
    // An exact callsign ("=3Y0J"), not a prefix: a DXpedition or a station
    // the prefix rule would place elsewhere.
    bool exactCall = false;
};

// Reads the prefixes of a country file in the cty.dat format (Jim Reisert's
// country files), in the file's order, each with its per-prefix overrides
// applied, exact-callsign entries ("=" entries) among them. Every record
// or prefix that cannot be read is described in `problems`.
QList<PrefixEntry> readCtyDat(QStringView text, QStringList& problems);
