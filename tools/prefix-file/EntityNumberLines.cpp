#include "EntityNumberLines.h"

#include "PrefixFileLayout.h"

#include <QHash>

namespace {

// The primary prefix of each CSV line with its entity number.
QHash<QString, int> numbersByPrefix(QStringView csv, QStringList& problems) {
    QHash<QString, int> numbers;
    int lineNumber = 0;
    for (QStringView line : csv.split(QLatin1Char('\n'))) {
        ++lineNumber;
        if (line.trimmed().isEmpty())
            continue;
        const QList<QStringView> fields = line.split(QLatin1Char(','));
        bool isNumber = false;
        const int number = fields.size() > 2 ? fields[2].toInt(&isNumber) : 0;
        if (!isNumber || number <= 0)
            problems.append(QStringLiteral("cty.csv line %1: no entity number").arg(lineNumber));
        else
            numbers.insert(fields[0].trimmed().toString(), number);
    }
    return numbers;
}

} // namespace

QStringList entityNumberLines(QStringView ctyDat, QStringView csv, QStringList& problems) {
    const QHash<QString, int> numbers = numbersByPrefix(csv, problems);
    QStringList lines;
    // An entity's first line: its country, zones, position, offset and
    // primary prefix, by colons; its prefixes follow on indented lines.
    for (QStringView line : ctyDat.split(QLatin1Char('\n'))) {
        if (line.isEmpty() || line.front().isSpace())
            continue;
        const QList<QStringView> fields = line.split(QLatin1Char(':'));
        if (fields.size() < 8)
            continue;
        const QString country =
            fields[0].trimmed().left(PrefixFileLayout::Country.width).trimmed().toString();
        const QString primary = fields[7].trimmed().toString();
        const auto number = numbers.constFind(primary);
        if (number == numbers.cend())
            problems.append(QStringLiteral("%1 (%2): not in cty.csv").arg(country, primary));
        else
            lines.append(QString::number(*number) + QLatin1Char(' ') + country);
    }
    return lines;
}
