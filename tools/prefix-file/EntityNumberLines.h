#pragma once

#include <QStringList>
#include <QStringView>

// The lines of the entity-number file: for each entity of the country file
// (cty.dat), its ADIF DXCC number, a blank, and its country as the prefix
// file's country column holds it. The numbers come from the same country
// file's CSV form (cty.csv: primary prefix, country, number, ...), matched by
// primary prefix, since the two forms spell a few countries differently. The
// WAE areas (primary prefixes starting with "*") carry the number of their
// DXCC entity. Each entity or line that cannot be matched is described in
// `problems`.
QStringList entityNumberLines(QStringView ctyDat, QStringView csv, QStringList& problems);
