#pragma once

#include "CtyDat.h"

#include <QList>
#include <QStringList>

// The lines of the prefix file for these entries, in the fixed columns the
// lookup reads. The lookup takes the first line whose prefix begins the
// callsign, so every prefix stands before the shorter prefixes that begin it:
// the first match is the longest one. Prefixes longer than the prefix column
// are left out; of a prefix listed twice, the first entry is kept.
QStringList prefixFileLines(QList<PrefixEntry> entries);
