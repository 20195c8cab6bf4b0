#include "SpotPageHtml.h"

#include "BandTable.h"

#include <array>

namespace SpotPageHtml {

namespace {

constexpr auto Months = std::to_array<const char*>(
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"});

QByteArray row(const Spot& spot) {
    const QByteArray dx = escaped(spot.call);
    const QByteArray spotter = escaped(spot.spotter);
    return "<tr>\n"
           "<td><a href=\"/dxc/dx/" +
           dx + "\" target=\"_blank\">" + dx +
           "</a></td>\n"
           "<td align=\"right\">" +
           escaped(spot.frequency) +
           " &nbsp;</td>\n"
           "<td align=\"left\"> " +
           escaped(spot.time) +
           "&nbsp;</td>\n"
           "<td><a href=\"/dxc/spotter/" +
           spotter + "\" target=\"_blank\">" + spotter +
           "</a></td>\n"
           "<td align=\"left\"> " +
           escaped(spot.remark) +
           "</td>\n"
           "</tr>\n";
}

} // namespace

QByteArray escaped(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (const char c : text.toLatin1()) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString spotDate(const QDateTime& timeUtc) {
    const QDate date = timeUtc.date();
    return QString::number(date.day()).rightJustified(2, u'0') + u' ' +
           QLatin1StringView(Months[date.month() - 1]) + u' ' +
           timeUtc.time().toString(QStringLiteral("HH:mm")) + u'Z';
}

QByteArray page(std::int16_t Bande, const QDateTime& updatedUtc, const std::vector<Spot>& spots) {
    const QByteArray name = BandTable::name(Bande);
    const QByteArray updated = updatedUtc.toString(QStringLiteral("HH:mm")).toLatin1();
    const QByteArray count = QByteArray::number(static_cast<qsizetype>(spots.size()));
    QByteArray html = "<html>\n"
                      "<head>\n"
                      "<meta http-equiv=\"content-type\" content=\"text/html; "
                      "charset=iso-8859-1\">\n"
                      "<title>DX spots: " +
                      name +
                      "</title>\n"
                      "</head>\n"
                      "<body>\n"
                      "<h1>Last " +
                      count +
                      " DX spots</h1>\n"
                      "<table>\n"
                      "<caption>Last " +
                      count + " spots, " + name + ", " + updated +
                      " UTC</caption>\n"
                      "<tr>\n"
                      "<th>DX</th><th>QRG, kHz</th><th>Date, UTC</th><th>Spotter</th>"
                      "<th>Remarks</th></tr>\n";
    for (const Spot& spot : spots)
        html += row(spot);
    html += "</table>\n"
            "<p>Spots are listed newest first.</p>\n"
            "</body>\n"
            "</html>\n";
    return html;
}

} // namespace SpotPageHtml
