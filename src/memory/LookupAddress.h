#pragma once

#include <QString>
#include <QUrl>

// The callsign of a spot's DX field as the lookup site names it: without
// blanks around it, in lower case, cut before its first "/".
QString lookupCallsign(const QString& dx);

// The lookup page of that callsign: base + "/db/" + the callsign, which is
// percent-encoded so that it can only name a page under "/db/".
QUrl lookupAddress(const QString& base, const QString& dx);
