#include "ClusterSpot.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

// Blanks between the fields vary from node to node; the comment is whatever
// lies between the callsign and the last time on the line, which only short
// fields may follow.
const QRegularExpression
    SpotPattern(QStringLiteral("^DX de ([A-Z0-9/#@-]{1,20}):\\s*(\\d{1,9}(?:\\.\\d{1,4})?)\\s+"
                               "([A-Z0-9/]{1,20})(?:\\s+(.*))?\\s+(\\d\\d)(\\d\\d)Z"
                               "((?:\\s+[A-Z0-9/]{1,20}){0,3})\\s*$"),
                QRegularExpression::CaseInsensitiveOption);

const QRegularExpression
    ListedPattern(QStringLiteral("^\\s*(\\d{1,9}(?:\\.\\d{1,4})?)\\s+([A-Z0-9/]{1,20})\\s+"
                                 "(\\d{1,2}-[A-Z][a-z]{2}-\\d{4})\\s+(\\d\\d)(\\d\\d)Z\\s*(.*?)\\s*"
                                 "<([A-Z0-9/#@-]{1,20})>\\s*$"),
                  QRegularExpression::CaseInsensitiveOption);

// The fields after the time, and the one DXSpider writes at the end of the
// comment beside each (the DX station's, the spotter's being after the time):
// a zone, a locator, a US state.
const QRegularExpression Zone(QStringLiteral("^\\d{1,2}$"));
const QRegularExpression Locator(QStringLiteral("^[A-R]{2}\\d\\d(?:[A-X]{2})?$"),
                                 QRegularExpression::CaseInsensitiveOption);
const QRegularExpression State(QStringLiteral("^[A-Z]{2}$"));
const QRegularExpression ZoneAtEnd(QStringLiteral("\\s+\\d{1,2}$"));
const QRegularExpression LocatorAtEnd(QStringLiteral("\\s+[A-R]{2}\\d\\d$"),
                                      QRegularExpression::CaseInsensitiveOption);
const QRegularExpression StateAtEnd(QStringLiteral("\\s+[A-Z]{2}$"));

constexpr char Bell = '\a';
constexpr qsizetype FrequencyColumns = 8;

bool hasControlCharacters(QByteArrayView text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            return true;
    }
    return false;
}

// UTF-8 when it is valid UTF-8, as every system writes today; Latin-1
// otherwise.
QString decoded(QByteArrayView line) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(line);
    if (utf8.hasError())
        return QString::fromLatin1(line);
    return text;
}

// The comment without the field DXSpider puts at its end to go with the
// field after the time.
QString withoutPairedField(QString comment, const QString& afterTime) {
    const QString field = afterTime.trimmed();
    if (field.isEmpty() || field.contains(u' '))
        return comment;
    const QRegularExpression* atEnd = nullptr;
    if (Zone.match(field).hasMatch())
        atEnd = &ZoneAtEnd;
    else if (Locator.match(field).hasMatch())
        atEnd = &LocatorAtEnd;
    else if (State.match(field).hasMatch())
        atEnd = &StateAtEnd;
    if (atEnd != nullptr)
        comment.remove(*atEnd);
    return comment.trimmed();
}

// The fields common to both forms; nothing for a time or frequency that is
// not one.
std::optional<ClusterSpot> spotOf(const QString& spotter, const QString& frequency,
                                  const QString& dx, const QString& comment, int hour, int minute) {
    ClusterSpot spot;
    spot.kHz = frequency.toDouble();
    if (hour > 23 || minute > 59 || spot.kHz <= 0)
        return std::nullopt;
    // Written again by value: "000014025.0" would shift the page's columns.
    spot.frequency = QByteArray::number(spot.kHz, 'f', 1);
    if (spot.frequency.size() > FrequencyColumns)
        return std::nullopt;
    spot.spotter = spotter.toLatin1();
    spot.dx = dx.toLatin1();
    spot.comment = comment.toLatin1();
    spot.minuteOfDay = hour * 60 + minute;
    return spot;
}

QByteArrayView withoutBellsAndBlanks(QByteArrayView line) {
    while (line.endsWith(Bell) || line.endsWith(' '))
        line.chop(1);
    return line;
}

} // namespace

std::optional<ClusterSpot> parseClusterLine(QByteArrayView line) {
    line = withoutBellsAndBlanks(line);
    constexpr QByteArrayView Lead("DX de ");
    if (line.size() < Lead.size() || qstrnicmp(line.data(), Lead.data(), Lead.size()) != 0 ||
        hasControlCharacters(line))
        return std::nullopt;
    const QRegularExpressionMatch match = SpotPattern.match(decoded(line));
    if (!match.hasMatch())
        return std::nullopt;
    return spotOf(match.captured(1), match.captured(2), match.captured(3),
                  withoutPairedField(match.captured(4).trimmed(), match.captured(7)),
                  match.captured(5).toInt(), match.captured(6).toInt());
}

std::optional<ClusterSpot> parseListedSpot(QByteArrayView line) {
    line = withoutBellsAndBlanks(line);
    if (hasControlCharacters(line))
        return std::nullopt;
    const QRegularExpressionMatch match = ListedPattern.match(decoded(line));
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date = QLocale::c().toDate(match.captured(3), QStringLiteral("d-MMM-yyyy"));
    if (!date.isValid())
        return std::nullopt;
    std::optional<ClusterSpot> spot =
        spotOf(match.captured(7), match.captured(1), match.captured(2), match.captured(6),
               match.captured(4).toInt(), match.captured(5).toInt());
    if (spot)
        spot->date = date;
    return spot;
}

QDateTime heardAt(const ClusterSpot& spot, const QDateTime& receivedUtc) {
    constexpr int MinutesPerDay = 24 * 60;
    const QTime time(spot.minuteOfDay / 60, spot.minuteOfDay % 60);
    if (spot.date.isValid())
        return QDateTime(spot.date, time, Qt::UTC);
    const QTime received = receivedUtc.time();
    const int difference = spot.minuteOfDay - (received.hour() * 60 + received.minute());
    QDate date = receivedUtc.date();
    if (difference > MinutesPerDay / 2)
        date = date.addDays(-1);
    else if (difference < -MinutesPerDay / 2)
        date = date.addDays(1);
    return QDateTime(date, time, Qt::UTC);
}
