#pragma once

#include <QByteArray>

// Spot pages in the site's table form, written row by row in lower case as
// the site writes them.
struct PageRow {
    QByteArray dx;
    QByteArray qrg = "14025.0";
    QByteArray date = "06 dec 14:05z";
    QByteArray spotter = "f6xyz";
    QByteArray remark = "cq dx";
};

inline QByteArray spotRowHtml(const PageRow& row) {
    return "<tr>\n<td><a href=\"/dx/" + row.dx + "\" target=\"_blank\">" + row.dx +
           "</a></td>\n<td align=\"right\">" + row.qrg + " &nbsp;</td>\n<td align=\"left\"> " +
           row.date + "&nbsp;</td>\n<td><a href=\"/dx/" + row.spotter + "\" target=\"_blank\">" +
           row.spotter + "</a></td>\n<td align=\"left\"> " + row.remark + "</td>\n</tr>\n";
}

inline QByteArray spotPageHtml(const QByteArray& rows) {
    return "<html>\n<body>\n<table>\n<caption>last spots, 14 mhz, 06 dec</caption>\n"
           "<tr>\n<th>dx</th><th>qrg, khz</th><th>date, utc</th><th>spotter</th>"
           "<th>remarks</th></tr>\n" +
           rows + "</table>\n</body>\n</html>\n";
}
