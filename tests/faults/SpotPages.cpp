#include "SpotPages.h"

#include <QListWidget>
#include <QRegularExpression>

namespace {

// Seven comma-separated heading items: three in the caption, the row's
// opening and three in the heading cells.
const QByteArray Heading =
    "<html>\n<body>\n<table>\n<caption>last spots, 14 mhz, 06 dec</caption>\n"
    "<tr>\n<th>dx</th><th>qrg, khz</th><th>date, utc</th><th>spotter</th>"
    "<th>remarks</th></tr>\n";
const QByteArray Ending = "</table>\n</body>\n</html>\n";

} // namespace

QByteArray spotRows(const QList<Spot>& spots) {
    QByteArray rows;
    for (const Spot& spot : spots) {
        rows += "<tr>\n<td><a href=\"/dx/" + spot.dx + "\" target=\"_blank\">" + spot.dx +
                "</a></td>\n<td align=\"right\">" + spot.qrg +
                " &nbsp;</td>\n<td align=\"left\"> " + spot.date +
                "&nbsp;</td>\n<td><a href=\"/dx/" + spot.spotter + "\" target=\"_blank\">" +
                spot.spotter + "</a></td>\n<td align=\"left\"> " + spot.remark + "</td>\n</tr>\n";
    }
    return rows;
}

QByteArray spotPage(const QList<Spot>& spots) {
    return Heading + spotRows(spots) + Ending;
}

QString spotLine(const Spot& spot) {
    const auto upper = [](const QByteArray& text) { return QString::fromUtf8(text).toUpper(); };
    return QLatin1Char(' ') + upper(spot.date) + QLatin1Char(' ') +
           upper(spot.dx).leftJustified(12) + QLatin1Char(' ') + upper(spot.qrg).rightJustified(8) +
           QLatin1Char(' ') + upper(spot.spotter).leftJustified(11) + QLatin1Char(' ') +
           upper(spot.remark);
}

QStringList spotLines(const QList<Spot>& spots) {
    QStringList lines;
    for (const Spot& spot : spots)
        lines.append(spotLine(spot));
    return lines;
}

QList<Spot> numberedSpots(int count) {
    QList<Spot> spots;
    for (int i = 0; i < count; ++i) {
        const int minute = i % (24 * 60);
        spots.append({"k" + QByteArray::number(i).rightJustified(4, '0') + "ab",
                      QByteArray::number(14000 + i % 350) + ".5",
                      QStringLiteral("06 dec %1:%2z")
                          .arg(minute / 60, 2, 10, QLatin1Char('0'))
                          .arg(minute % 60, 2, 10, QLatin1Char('0'))
                          .toLatin1(),
                      "f6xyz", "cq dx"});
    }
    return spots;
}

QStringList linesOf(const QListWidget& list) {
    QStringList lines;
    for (int i = 0; i < list.count(); ++i)
        lines.append(list.item(i)->text());
    return lines;
}

bool wellFormed(const QString& line) {
    // Blank, date, blank, DX in 12, blank, QRG in 8, blank, spotter in 11, blank.
    static const QRegularExpression layout(QStringLiteral(
        "^ \\d\\d [A-Z]{3} \\d\\d:\\d\\dZ [^ ][^\\n]{11} [ 0-9.]{7}[0-9.] [^ ][^\\n]{10} "));
    return layout.match(line).hasMatch();
}
