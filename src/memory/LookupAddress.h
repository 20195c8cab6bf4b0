#pragma once

#include <QString>
#include <QUrl>

// The callsign of a spot line as the lookup site names it: the DX field
// (characters 16 to 27) without blanks around it, in lower case, cut before
// its first "/".
QString lookupCallsign(const QString& spotLine);

// The lookup page of that callsign: base + "/db/" + the callsign, which is
// percent-encoded so that it can only name a page under "/db/".
QUrl lookupAddress(const QString& base, const QString& spotLine);
