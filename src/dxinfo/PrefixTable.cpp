#include "PrefixTable.h"

#include "PrefixFileLayout.h"
#include "PrefixLookup.h"

#include <QDir>
#include <QFile>
#include <limits>

namespace {

QString fileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

PrefixTable PrefixTable::load(const QString& countryFolder) {
    const QDir folder(countryFolder);
    return parse(fileText(folder.filePath(PrefixFileLayout::FileName)),
                 fileText(folder.filePath(PrefixFileLayout::ExactCallsFileName)));
}

PrefixTable PrefixTable::parse(QStringView prefixText, QStringView exactCallsText) {
    PrefixTable table;
    for (QStringView line : prefixText.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        // A final line end does not start another (empty, all-matching) line.
        if (line.isEmpty())
            continue;
        const Fiche_Prefixe record = readPrefixRecord(line);
        if (!table.firstLine_.contains(record.prefix))
            table.firstLine_.insert(record.prefix, int(table.countries_.size()));
        table.longestPrefix_ = std::max(table.longestPrefix_, int(record.prefix.size()));
        table.countries_.append(record.country);
    }
    for (QStringView line : exactCallsText.split(QLatin1Char('\n'))) {
        const qsizetype blank = line.indexOf(QLatin1Char(' '));
        if (blank > 0 && !table.exactCalls_.contains(line.first(blank).toString()))
            table.exactCalls_.insert(line.first(blank).toString(),
                                     readPrefixRecord(line.sliced(blank + 1)).country);
    }
    return table;
}

QString PrefixTable::country(QStringView callsign) const {
    callsign = callsign.trimmed();
    if (!callsign.isEmpty()) {
        if (const auto exact = exactCalls_.constFind(callsign.toString());
            exact != exactCalls_.cend())
            return *exact;
    }
    int first = std::numeric_limits<int>::max();
    for (qsizetype length = 0; length <= std::min<qsizetype>(callsign.size(), longestPrefix_);
         ++length) {
        if (const auto line = firstLine_.constFind(callsign.first(length).toString());
            line != firstLine_.cend())
            first = std::min(first, *line);
    }
    return first < countries_.size() ? countries_[first] : QString();
}
