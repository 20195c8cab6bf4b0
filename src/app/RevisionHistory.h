#pragma once

#include <QString>

// The program's revision, with its leading blank: " 1.4.6".
extern const QString Texte_Revision_Courante;

// The revision history, one line per revision, each ended by CR LF. Two lines
// name the spot site's host and the lookup site.
QString historyText(const QString& spotSiteHost, const QString& lookupSiteName);

// The two lines of the about box.
QString aboutText(const QString& revision);
