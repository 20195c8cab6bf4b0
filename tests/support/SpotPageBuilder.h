#pragma once

#include "TestSpots.h"

#include <QByteArray>

// Spot pages in the site's table form, written row by row in lower case as
// the site writes them.
inline QByteArray spotRowHtml(const Spot& spot) {
    const auto page = [](const QString& field) { return field.toLower().toLatin1(); };
    return "<tr>\n<td><a href=\"/dx/" + page(spot.call) + "\" target=\"_blank\">" +
           page(spot.call) + "</a></td>\n<td align=\"right\">" + page(spot.frequency) +
           " &nbsp;</td>\n<td align=\"left\"> " + page(spot.time) +
           "&nbsp;</td>\n<td><a href=\"/dx/" + page(spot.spotter) + "\" target=\"_blank\">" +
           page(spot.spotter) + "</a></td>\n<td align=\"left\"> " + page(spot.remark) +
           "</td>\n</tr>\n";
}

inline QByteArray spotPageHtml(const QByteArray& rows) {
    return "<html>\n<body>\n<table>\n<caption>last spots, 14 mhz, 06 dec</caption>\n"
           "<tr>\n<th>dx</th><th>qrg, khz</th><th>date, utc</th><th>spotter</th>"
           "<th>remarks</th></tr>\n" +
           rows + "</table>\n</body>\n</html>\n";
}
