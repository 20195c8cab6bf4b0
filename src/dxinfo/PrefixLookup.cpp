#include "PrefixLookup.h"

#include "DistanceBearing.h"
#include "LeadingNumber.h"
#include "PrefixFileLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

namespace {

QString field(QStringView line, PrefixColumn column) {
    return line.mid(column.first - 1, column.width).trimmed().toString();
}

QStringView prefixOf(QStringView line) {
    return line.mid(PrefixFileLayout::Prefix.first - 1, PrefixFileLayout::Prefix.width).trimmed();
}

// The first line whose prefix begins the callsign. A final line end does not
// start another (empty, hence all-matching) line.
std::optional<QStringView> firstMatchingLine(QStringView text, QStringView callsign) {
    while (!text.isEmpty()) {
        const qsizetype end = text.indexOf(QLatin1Char('\n'));
        QStringView line = end < 0 ? text : text.first(end);
        text = end < 0 ? QStringView() : text.sliced(end + 1);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (callsign.startsWith(prefixOf(line)))
            return line;
    }
    return std::nullopt;
}

// The prefix-file line of the callsign in the exact-call file.
std::optional<QString> exactCallLine(const QString& file, QStringView callsign) {
    QFile calls(file);
    if (callsign.isEmpty() || !calls.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString text = QString::fromUtf8(calls.readAll());
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        const qsizetype blank = line.indexOf(QLatin1Char(' '));
        if (blank > 0 && line.first(blank) == callsign)
            return line.sliced(blank + 1).toString();
    }
    return std::nullopt;
}

} // namespace

Fiche_Prefixe readPrefixRecord(QStringView line) {
    using namespace PrefixFileLayout;
    Fiche_Prefixe record;
    record.prefix = field(line, Prefix);
    record.country = field(line, Country);
    record.continent = field(line, Continent);
    record.latitude = leadingNumber(field(line, Latitude));
    record.longitude = leadingNumber(field(line, Longitude));
    record.cqZone = field(line, CqZone);
    record.utcOffset = field(line, UtcOffset);
    record.ituZone = field(line, ItuZone);
    return record;
}

void Cherche_Prefixe(const QString& prefixFile, const QString& callsign, const QString& ownLatitude,
                     const QString& ownLongitude, DxInformation& result) {
    result.record.country.clear();

    const std::optional<QString> exact =
        exactCallLine(QFileInfo(prefixFile).dir().filePath(PrefixFileLayout::ExactCallsFileName),
                      QStringView(callsign).trimmed());
    if (exact) {
        result.record = readPrefixRecord(*exact);
    } else {
        QFile file(prefixFile);
        if (!file.open(QIODevice::ReadOnly))
            return;
        const QString text = QString::fromUtf8(file.readAll());
        const std::optional<QStringView> line = firstMatchingLine(text, callsign);
        if (!line)
            return;
        result.record = readPrefixRecord(*line);
    }
    const DistanceAndBearing way =
        Distance_Azimut(leadingNumber(ownLatitude), leadingNumber(ownLongitude),
                        result.record.latitude, result.record.longitude);
    result.distance = way.distance;
    result.bearing = way.bearing;
}
