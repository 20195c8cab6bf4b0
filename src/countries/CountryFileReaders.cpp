#include "CountryFile.h"

#include "FrenchNumber.h"

#include <QHash>
#include <QStringTokenizer>
#include <cmath>
#include <optional>
#include <utility>

namespace {

// A file this damaged is not read further: 10 MB of garbage would otherwise
// make millions of messages.
constexpr qsizetype TooManyProblems = 100;

// A country file holds some 30 000 prefixes and exact calls; one with far
// more is forged or amplified, and is read no further so that it costs no
// more memory than a few genuine ones.
constexpr qsizetype MostEntries = 200000;

bool full(const CountryFile& file) {
    return file.entries.size() >= MostEntries;
}

// Ends a reading, with a last problem when it stopped at MostEntries.
CountryFile ended(CountryFile file, QStringList& problems) {
    if (full(file))
        problems.append(
            QStringLiteral("lecture arrêtée après %1 préfixes").arg(frenchNumber(MostEntries)));
    return file;
}

// True, with a last problem saying so, once there are too many to go on.
bool tooManyProblems(QStringList& problems) {
    if (problems.size() < TooManyProblems)
        return false;
    problems.append(QStringLiteral("lecture arrêtée après %1 erreurs").arg(TooManyProblems));
    return true;
}

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

// The fields every form gives an entity, as the file writes them: country,
// CQ zone, ITU zone, continent, latitude, longitude (west positive), UTC
// minus local time.
std::optional<PrefixEntry> entityValues(QStringView country, QStringView cq, QStringView itu,
                                        QStringView continent, QStringView latitude,
                                        QStringView westLongitude, QStringView utcMinusLocal) {
    const std::optional<int> cqZone = zone(cq);
    const std::optional<int> ituZone = zone(itu);
    const std::optional<double> north = number(latitude);
    const std::optional<double> west = number(westLongitude);
    const std::optional<double> offset = number(utcMinusLocal);
    if (country.trimmed().isEmpty() || !cqZone || !ituZone || !north || !west || !offset ||
        continent.trimmed().isEmpty() || !validLatitude(*north) || !validLongitude(*west) ||
        !validOffset(*offset))
        return std::nullopt;

    PrefixEntry entity;
    entity.country = country.trimmed().toString();
    entity.continent = continent.trimmed().toString();
    entity.cqZone = *cqZone;
    entity.ituZone = *ituZone;
    entity.latitude = *north;
    entity.longitude = -*west;
    entity.utcOffset = -*offset;
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

// "=VER20261202": the file's version, not a callsign.
std::optional<QDate> versionEntry(QStringView token) {
    if (token.size() != 12 || !token.startsWith(u"=VER"))
        return std::nullopt;
    const QDate date = QDate::fromString(token.sliced(4).toString(), QStringLiteral("yyyyMMdd"));
    return date.isValid() ? std::optional(date) : std::nullopt;
}

// One prefix or exact call of an entity's list, with its overrides.
void readPrefix(QStringView token, const PrefixEntry& entity, CountryFile& file,
                QStringList& problems) {
    token = token.trimmed();
    if (token.isEmpty())
        return;
    if (const std::optional<QDate> version = versionEntry(token)) {
        file.version = *version;
        return;
    }
    PrefixEntry entry = entity;
    entry.exactCall = token.startsWith(QLatin1Char('='));
    const QStringView written = entry.exactCall ? token.sliced(1) : token;
    const qsizetype end = overridesStart(written);
    entry.prefix = written.first(end).toString();
    if (validPrefix(entry.prefix) && applyOverrides(written, end, entry))
        file.entries.append(entry);
    else if (problems.size() < TooManyProblems)
        problems.append(QStringLiteral("préfixe %1 de %2 illisible").arg(token, entity.country));
}

} // namespace

CountryFile readCtyDat(QStringView text, QStringList& problems) {
    CountryFile file;
    for (QStringView record : qTokenize(text, QLatin1Char(';'))) {
        record = record.trimmed();
        if (record.isEmpty())
            continue;
        if (tooManyProblems(problems) || full(file))
            break;
        // The header's fields, each ended by a colon: the country, the two
        // zones, the continent, the position, the offset, the primary prefix.
        const qsizetype headerEnd = record.indexOf(QLatin1Char('\n'));
        const QStringView header = (headerEnd < 0 ? record : record.first(headerEnd)).trimmed();
        const QList<QStringView> fields = header.count(QLatin1Char(':')) == 8
                                              ? header.split(QLatin1Char(':'))
                                              : QList<QStringView>();
        const std::optional<PrefixEntry> entity =
            fields.size() == 9 && fields[8].trimmed().isEmpty() && !fields[7].trimmed().isEmpty()
                ? entityValues(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5],
                               fields[6])
                : std::nullopt;
        if (!entity) {
            problems.append(QStringLiteral("en-tête illisible : %1").arg(header.left(80)));
            continue;
        }
        file.entities.append({fields[7].trimmed().toString(), entity->country, 0});
        const QString prefixList =
            headerEnd < 0 ? QString() : record.sliced(headerEnd + 1).toString().simplified();
        for (QStringView token : qTokenize(QStringView(prefixList), QLatin1Char(','))) {
            if (full(file))
                break;
            readPrefix(token, *entity, file, problems);
        }
    }
    return ended(std::move(file), problems);
}

CountryFile readCtyCsv(QStringView text, QStringList& problems) {
    CountryFile file;
    int lineNumber = 0;
    for (QStringView line : qTokenize(text, QLatin1Char('\n'))) {
        ++lineNumber;
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        if (tooManyProblems(problems) || full(file))
            break;
        const QList<QStringView> fields =
            line.count(QLatin1Char(',')) == 9 ? line.split(QLatin1Char(',')) : QList<QStringView>();
        bool isNumber = false;
        const int number = fields.size() == 10 ? fields[2].trimmed().toInt(&isNumber) : 0;
        const std::optional<PrefixEntry> entity =
            fields.size() == 10 && line.endsWith(QLatin1Char(';')) && isNumber && number > 0 &&
                    !fields[0].trimmed().isEmpty()
                ? entityValues(fields[1], fields[4], fields[5], fields[3], fields[6], fields[7],
                               fields[8])
                : std::nullopt;
        if (!entity) {
            problems.append(QStringLiteral("ligne %1 illisible").arg(lineNumber));
            continue;
        }
        file.entities.append({fields[0].trimmed().toString(), entity->country, number});
        for (QStringView token : qTokenize(fields[9].chopped(1), QLatin1Char(' '))) {
            if (full(file))
                break;
            readPrefix(token, *entity, file, problems);
        }
    }
    return ended(std::move(file), problems);
}

void takeEntityNumbers(CountryFile& file, const CountryFile& numbered, QStringList& problems) {
    QHash<QString, int> numbers;
    for (const CountryEntity& entity : numbered.entities)
        numbers.insert(entity.primaryPrefix, entity.number);
    for (CountryEntity& entity : file.entities) {
        entity.number = numbers.value(entity.primaryPrefix);
        if (entity.number == 0)
            problems.append(QStringLiteral("%1 (%2) sans numéro d'entité")
                                .arg(entity.country, entity.primaryPrefix));
    }
}
