#include "ClusterSpot.h"

#include <QRegularExpression>

namespace {

// Blanks between the fields vary from node to node; the comment is whatever
// lies between the callsign and the time, and a locator may end the line.
const QRegularExpression
    SpotPattern(QStringLiteral("^DX de ([A-Z0-9/#@-]{1,20}):\\s*(\\d{1,9}(?:\\.\\d{1,4})?)\\s+"
                               "([A-Z0-9/]{1,20})\\s+(.*?)\\s*(\\d\\d)(\\d\\d)Z"
                               "(?:\\s+[A-R]{2}\\d\\d(?:[A-X]{2})?)?\\s*$"),
                QRegularExpression::CaseInsensitiveOption);

constexpr char Bell = '\a';

bool printableAscii(QByteArrayView text) {
    for (const char c : text) {
        if (c < ' ' || c > '~')
            return false;
    }
    return true;
}

} // namespace

std::optional<ClusterSpot> parseClusterLine(QByteArrayView line) {
    while (line.endsWith(Bell) || line.endsWith(' '))
        line.chop(1);
    constexpr QByteArrayView Lead("DX de ");
    if (line.size() < Lead.size() || qstrnicmp(line.data(), Lead.data(), Lead.size()) != 0 ||
        !printableAscii(line))
        return std::nullopt;

    const QRegularExpressionMatch match = SpotPattern.match(QString::fromLatin1(line));
    if (!match.hasMatch())
        return std::nullopt;
    const int hour = match.captured(5).toInt();
    const int minute = match.captured(6).toInt();
    ClusterSpot spot;
    spot.kHz = match.captured(2).toDouble();
    if (hour > 23 || minute > 59 || spot.kHz <= 0)
        return std::nullopt;
    spot.spotter = match.captured(1).toLatin1();
    spot.frequency = match.captured(2).toLatin1();
    spot.dx = match.captured(3).toLatin1();
    spot.comment = match.captured(4).toLatin1();
    spot.minuteOfDay = hour * 60 + minute;
    return spot;
}
