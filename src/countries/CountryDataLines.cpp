#include "CountryDataLines.h"

#include "PrefixFileLayout.h"

#include <QSet>
#include <QStringView>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {

constexpr std::array<std::pair<QStringView, QStringView>, 7> ContinentNames{{
    {u"EU", u"Europe"},
    {u"AS", u"Asie"},
    {u"AF", u"Afrique"},
    {u"NA", u"Amérique du Nord"},
    {u"SA", u"Amérique du Sud"},
    {u"OC", u"Océanie"},
    {u"AN", u"Antarctique"},
}};

QString continentName(const QString& code) {
    for (const auto& [key, name] : ContinentNames) {
        if (code == key)
            return name.toString();
    }
    return code;
}

// Two decimals; never "-0.00".
QString coordinate(double degrees) {
    return QString::number(degrees + 0.0, 'f', 2);
}

// As an operator writes it: "+1", "-5", "+5.5", "0".
QString utcOffset(double hours) {
    const QString magnitude = QString::number(std::abs(hours));
    if (hours > 0)
        return QLatin1Char('+') + magnitude;
    if (hours < 0)
        return QLatin1Char('-') + magnitude;
    return magnitude;
}

enum class Align { Left, Right };

void put(QString& line, PrefixColumn column, const QString& value, Align align) {
    const QString text = value.left(column.width);
    const qsizetype start =
        column.first - 1 + (align == Align::Right ? column.width - text.size() : 0);
    line.replace(start, text.size(), text);
}

QString line(const PrefixEntry& entry) {
    using namespace PrefixFileLayout;
    QString text(LineLength, QLatin1Char(' '));
    put(text, Prefix, entry.prefix, Align::Left);
    put(text, Country, entry.country, Align::Left);
    put(text, Continent, continentName(entry.continent), Align::Left);
    put(text, Latitude, coordinate(entry.latitude), Align::Right);
    put(text, Longitude, coordinate(entry.longitude), Align::Right);
    put(text, CqZone, QString::number(entry.cqZone), Align::Right);
    put(text, UtcOffset, utcOffset(entry.utcOffset), Align::Left);
    put(text, ItuZone, QString::number(entry.ituZone), Align::Right);
    return text;
}

// The order of the file: `a` before `b` when it comes first in alphabetical
// order, or when `b` is a shorter prefix that begins it.
bool comesBefore(const QString& a, const QString& b) {
    const qsizetype common = std::min(a.size(), b.size());
    const int order = QStringView(a).first(common).compare(QStringView(b).first(common));
    if (order != 0)
        return order < 0;
    return a.size() > b.size();
}

} // namespace

QStringList prefixFileLines(QList<PrefixEntry> entries) {
    entries.removeIf([](const PrefixEntry& entry) {
        return entry.exactCall || entry.prefix.size() > PrefixFileLayout::Prefix.width;
    });
    std::stable_sort(
        entries.begin(), entries.end(),
        [](const PrefixEntry& a, const PrefixEntry& b) { return comesBefore(a.prefix, b.prefix); });
    const auto duplicates =
        std::unique(entries.begin(), entries.end(), [](const PrefixEntry& a, const PrefixEntry& b) {
            return a.prefix == b.prefix;
        });
    entries.erase(duplicates, entries.end());

    QStringList lines;
    lines.reserve(entries.size());
    for (const PrefixEntry& entry : entries)
        lines.append(line(entry));
    return lines;
}

QStringList exactCallLines(const QList<PrefixEntry>& entries) {
    QStringList lines;
    QSet<QString> calls;
    for (const PrefixEntry& entry : entries) {
        if (!entry.exactCall || calls.contains(entry.prefix))
            continue;
        calls.insert(entry.prefix);
        lines.append(entry.prefix + QLatin1Char(' ') + line(entry));
    }
    return lines;
}

QStringList entityNumberLines(const QList<CountryEntity>& entities) {
    QStringList lines;
    for (const CountryEntity& entity : entities) {
        lines.append(QString::number(entity.number) + QLatin1Char(' ') +
                     entity.country.left(PrefixFileLayout::Country.width).trimmed());
    }
    return lines;
}
