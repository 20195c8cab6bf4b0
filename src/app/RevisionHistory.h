#pragma once

#include <QString>

// The program's revision, with its leading blank: " 1.4.6".
extern const QString Texte_Revision_Courante;

// The revision history, one line per revision, each ended by CR LF. Two lines
// name the spot site's host and the lookup site.
QString historyText(const QString& spotSiteHost, const QString& lookupSiteName);

// The about box's first lines: the name, the revision the window's title
// shows, and the package's version, which counts the additions since then.
QString aboutText(const QString& revision);
