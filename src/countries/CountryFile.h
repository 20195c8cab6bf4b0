#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

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

// One entity of the country file.
struct CountryEntity {
    // As the file gives it; a WAE area's starts with "*".
    QString primaryPrefix;
    QString country;
    // Its ADIF DXCC number (the WAE areas carry their entity's); 0 when the
    // file's form gives none.
    int number = 0;
};

// What a country file (Jim Reisert's, AD1C) holds, in either of its forms:
// cty.dat or cty.csv.
struct CountryFile {
    // Every prefix and exact callsign, in the file's order, each with its
    // overrides applied.
    QList<PrefixEntry> entries;
    QList<CountryEntity> entities;
    // The file's own version entry ("=VER20261202"); invalid without one.
    QDate version;
};

// A country file is a few hundred kilobytes; a file or an answer beyond this
// is not one.
inline constexpr qint64 LargestCountryFile = 10 * 1024 * 1024;

// Each reader describes every record, line or prefix it cannot read in
// `problems`, in French, and leaves it out.

// The cty.dat form: a header of colon-ended fields, then the prefixes,
// separated by commas over any number of lines, up to a semicolon.
CountryFile readCtyDat(QStringView text, QStringList& problems);
// The cty.csv form: one line per entity, primary prefix, country, ADIF
// number, continent, zones, position, offset, then the prefixes separated
// by blanks and ended by a semicolon.
CountryFile readCtyCsv(QStringView text, QStringList& problems);
// Gives the entities of `file` (read from cty.dat) the ADIF numbers of the
// same country file's CSV form, matched by primary prefix since the two
// spell a few countries differently.
void takeEntityNumbers(CountryFile& file, const CountryFile& numbered, QStringList& problems);
