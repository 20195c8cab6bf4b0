#pragma once

#include "CountryFile.h"

#include <QList>
#include <QStringList>

// The lines of the prefix file for these entries, in the fixed columns the
// lookup reads. The lookup takes the first line whose prefix begins the
// callsign, so every prefix stands before the shorter prefixes that begin it:
// the first match is the longest one. Prefixes longer than the prefix column
// are left out, as are exact callsigns; of a prefix listed twice, the first
// entry is kept.
QStringList prefixFileLines(QList<PrefixEntry> entries);

// The lines of the exact-call file for the exact-call entries: the callsign,
// a blank, then a line of the prefix file for it (its prefix column holding
// the callsign's first characters). Of a callsign listed twice, the first
// entry is kept.
QStringList exactCallLines(const QList<PrefixEntry>& entries);

// The lines of the entity-number file: each entity's ADIF DXCC number, a
// blank, and its country as the prefix file's country column holds it.
QStringList entityNumberLines(const QList<CountryEntity>& entities);
