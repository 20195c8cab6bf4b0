#include "CtyDat.h"

#include <cmath>
#include <optional>

namespace {

std::optional<double> number(QStringView text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional(value) : std::nullopt;
}

std::optional<int> zone(QStringView text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= 1 && value <= 99 ? std::optional(value) : std::nullopt;
}

bool validLatitude(double value) {
    return std::fabs(value) <= 90;
}
bool validLongitude(double value) {
    return std::fabs(value) <= 180;
}
bool validOffset(double value) {
    return std::fabs(value) <= 14;
}

// Header: name, CQ zone, ITU zone, continent, latitude, longitude (west
// positive), UTC minus local time, primary prefix, each ended by a colon.
std::optional<PrefixEntry> readHeader(QStringView header) {
    const QList<QStringView> fields = header.split(QLatin1Char(':'));
    if (fields.size() != 9 || !fields[8].trimmed().isEmpty())
        return std::nullopt;
    const std::optional<int> cq = zone(fields[1]);
    const std::optional<int> itu = zone(fields[2]);
    const std::optional<double> latitude = number(fields[4]);
    const std::optional<double> westLongitude = number(fields[5]);
    const std::optional<double> utcMinusLocal = number(fields[6]);
    const QStringView continent = fields[3].trimmed();
    if (!cq || !itu || !latitude || !westLongitude || !utcMinusLocal || continent.isEmpty() ||
        !validLatitude(*latitude) || !validLongitude(*westLongitude) ||
        !validOffset(*utcMinusLocal))
        return std::nullopt;

    PrefixEntry entity;
    entity.country = fields[0].trimmed().toString();
    entity.continent = continent.toString();
    entity.cqZone = *cq;
    entity.ituZone = *itu;
    entity.latitude = *latitude;
    entity.longitude = -*westLongitude;
    entity.utcOffset = -*utcMinusLocal;
    return entity;
}

// The text between `open` at `position` and the next `close`, moving
// `position` past it.
std::optional<QStringView> enclosed(QStringView token, qsizetype& position, QChar close) {
    const qsizetype end = token.indexOf(close, position + 1);
    if (end < 0)
        return std::nullopt;
    const QStringView inside = token.sliced(position + 1, end - position - 1);
    position = end + 1;
    return inside;
}

// Applies the overrides that follow the prefix: (CQ zone), [ITU zone],
// <latitude/longitude>, {continent}, ~UTC minus local time~.
bool applyOverrides(QStringView token, qsizetype position, PrefixEntry& entry) {
    while (position < token.size()) {
        const QChar open = token[position];
        if (open == QLatin1Char('(')) {
            const auto inside = enclosed(token, position, QLatin1Char(')'));
            const std::optional<int> cq = inside ? zone(*inside) : std::nullopt;
            if (!cq)
                return false;
            entry.cqZone = *cq;
        } else if (open == QLatin1Char('[')) {
            const auto inside = enclosed(token, position, QLatin1Char(']'));
            const std::optional<int> itu = inside ? zone(*inside) : std::nullopt;
            if (!itu)
                return false;
            entry.ituZone = *itu;
        } else if (open == QLatin1Char('<')) {
            const auto inside = enclosed(token, position, QLatin1Char('>'));
            if (!inside)
                return false;
            const QList<QStringView> parts = inside->split(QLatin1Char('/'));
            const std::optional<double> latitude =
                parts.size() == 2 ? number(parts[0]) : std::nullopt;
            const std::optional<double> westLongitude =
                parts.size() == 2 ? number(parts[1]) : std::nullopt;
            if (!latitude || !westLongitude || !validLatitude(*latitude) ||
                !validLongitude(*westLongitude))
                return false;
            entry.latitude = *latitude;
            entry.longitude = -*westLongitude;
        } else if (open == QLatin1Char('{')) {
            const auto inside = enclosed(token, position, QLatin1Char('}'));
            if (!inside || inside->trimmed().isEmpty())
                return false;
            entry.continent = inside->trimmed().toString();
        } else if (open == QLatin1Char('~')) {
            const auto inside = enclosed(token, position, QLatin1Char('~'));
            const std::optional<double> utcMinusLocal = inside ? number(*inside) : std::nullopt;
            if (!utcMinusLocal || !validOffset(*utcMinusLocal))
                return false;
            entry.utcOffset = -*utcMinusLocal;
        } else {
            return false;
        }
    }
    return true;
}

// Capital letters, digits and the slash, as callsigns are written.
bool validPrefix(QStringView prefix) {
    if (prefix.isEmpty())
        return false;
    for (const QChar c : prefix) {
        const bool letter = c >= QLatin1Char('A') && c <= QLatin1Char('Z');
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (!letter && !digit && c != QLatin1Char('/'))
            return false;
    }
    return true;
}

qsizetype overridesStart(QStringView token) {
    for (qsizetype i = 0; i < token.size(); ++i) {
        if (QStringView(u"([<{~").contains(token[i]))
            return i;
    }
    return token.size();
}

} // namespace

QList<PrefixEntry> readCtyDat(QStringView text, QStringList& problems) {
    QList<PrefixEntry> entries;
    // A record is a header line and a comma-separated prefix list that may
    // run over several lines; a semicolon ends it.
    for (QStringView record : text.split(QLatin1Char(';'))) {
        record = record.trimmed();
        if (record.isEmpty())
            continue;
        const qsizetype headerEnd = record.indexOf(QLatin1Char('\n'));
        const QStringView header = headerEnd < 0 ? record : record.first(headerEnd);
        const std::optional<PrefixEntry> entity = readHeader(header.trimmed());
        if (!entity) {
            problems.append(QStringLiteral("unreadable record header: %1").arg(header.trimmed()));
            continue;
        }
        const QString prefixList =
            headerEnd < 0 ? QString() : record.sliced(headerEnd + 1).toString().simplified();
        for (QStringView token : QStringView(prefixList).split(QLatin1Char(','))) {
            token = token.trimmed();
            if (token.isEmpty())
                continue;
            PrefixEntry entry = *entity;
            entry.exactCall = token.startsWith(QLatin1Char('='));
            if (entry.exactCall)
                token = token.sliced(1);
            const qsizetype end = overridesStart(token);
            entry.prefix = token.first(end).toString();
            if (!validPrefix(entry.prefix) || !applyOverrides(token, end, entry))
                problems.append(
                    QStringLiteral("unreadable prefix %1 of %2").arg(token, entity->country));
            else
                entries.append(entry);
        }
    }
    return entries;
}
