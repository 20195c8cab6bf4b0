#include "PrefixTable.h"

#include "PrefixFileLayout.h"
#include "PrefixLookup.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <limits>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Calls one function with each line of the text, without its line end.
template <typename Take> void forEachLine(QByteArrayView text, Take take) {
    while (!text.isEmpty()) {
        const qsizetype end = text.indexOf('\n');
        QByteArrayView line = end < 0 ? text : text.first(end);
        text = end < 0 ? QByteArrayView() : text.sliced(end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        take(line);
    }
}

} // namespace

PrefixTable PrefixTable::load(const QString& countryFolder) {
    const QDir folder(countryFolder);
    return parse(fileBytes(folder.filePath(PrefixFileLayout::FileName)),
                 fileBytes(folder.filePath(PrefixFileLayout::ExactCallsFileName)));
}

PrefixTable PrefixTable::parse(QByteArrayView prefixText, QByteArrayView exactCallsText) {
    PrefixTable table;
    QHash<QString, int> indices;
    const auto countryIndex = [&](const QString& country) {
        if (const auto known = indices.constFind(country); known != indices.cend())
            return *known;
        indices.insert(country, int(table.countries_.size()));
        table.countries_.append(country);
        return int(table.countries_.size()) - 1;
    };
    forEachLine(prefixText, [&](QByteArrayView line) {
        // A final line end does not start another (empty, all-matching) line.
        if (line.isEmpty())
            return;
        const Fiche_Prefixe record = readPrefixRecord(QString::fromUtf8(line));
        const std::string prefix = record.prefix.toStdString();
        table.firstLine_.try_emplace(prefix, int(table.lineCountries_.size()));
        table.longestPrefix_ = std::max(table.longestPrefix_, int(prefix.size()));
        table.lineCountries_.push_back(countryIndex(record.country));
    });
    forEachLine(exactCallsText, [&](QByteArrayView line) {
        const qsizetype blank = line.indexOf(' ');
        if (blank <= 0)
            return;
        const std::string call(line.data(), std::size_t(blank));
        if (!table.exactCalls_.contains(call))
            table.exactCalls_.emplace(
                call,
                countryIndex(readPrefixRecord(QString::fromUtf8(line.sliced(blank + 1))).country));
    });
    return table;
}

int PrefixTable::countryOf(std::string_view callsign) const {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!callsign.empty() && blank(callsign.front()))
        callsign.remove_prefix(1);
    while (!callsign.empty() && blank(callsign.back()))
        callsign.remove_suffix(1);
    if (!callsign.empty()) {
        if (const auto exact = exactCalls_.find(callsign); exact != exactCalls_.end())
            return exact->second;
    }
    int first = std::numeric_limits<int>::max();
    for (std::size_t length = 0; length <= std::min(callsign.size(), std::size_t(longestPrefix_));
         ++length) {
        if (const auto line = firstLine_.find(callsign.substr(0, length)); line != firstLine_.end())
            first = std::min(first, line->second);
    }
    return first < int(lineCountries_.size()) ? lineCountries_[std::size_t(first)] : -1;
}
