#include "CountryTable.h"

#include "LeadingNumber.h"
#include "CountryFile.h"
#include "PrefixFileLayout.h"
#include "RegularFile.h"

#include <QDir>
#include <QHash>
#include <algorithm>
#include <limits>

namespace {

QString field(QStringView line, PrefixColumn column) {
    return line.mid(column.first - 1, column.width).trimmed().toString();
}

// A FIFO or a device put in a file's place must not hold the start.
QByteArray fileBytes(const QString& path) {
    return regularFileBytes(path, LargestCountryFile).value_or(QByteArray());
}

// Calls one function with each line of the text, without its line end. A
// final line end does not start another (empty, hence all-matching) line.
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

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
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

CountryTable CountryTable::load(const QString& countryFolder) {
    const QDir folder(countryFolder);
    return parse(fileBytes(folder.filePath(PrefixFileLayout::FileName)),
                 fileBytes(folder.filePath(PrefixFileLayout::ExactCallsFileName)),
                 fileBytes(folder.filePath(PrefixFileLayout::EntityNumbersFileName)));
}

CountryTable CountryTable::parse(QByteArrayView prefixText, QByteArrayView exactCallsText,
                                 QByteArrayView numbersText) {
    CountryTable table;
    QHash<QString, int> numbers;
    forEachLine(numbersText, [&](QByteArrayView bytes) {
        const QString line = QString::fromUtf8(bytes).trimmed();
        const qsizetype blank = line.indexOf(QLatin1Char(' '));
        const int number = blank > 0 ? QStringView(line).first(blank).toInt() : 0;
        if (number > 0) {
            numbers.insert(line.sliced(blank + 1).trimmed(), number);
            table.highest_ = std::max(table.highest_, number);
        }
    });
    // Lines of one country differ by their prefix only, most of the time.
    QHash<QString, int> places;
    const auto lineOf = [&](QByteArrayView bytes) {
        const QString text = QString::fromUtf8(bytes);
        const QStringView line(text);
        const QString rest = line.mid(PrefixFileLayout::Country.first - 1).toString();
        auto place = places.constFind(rest);
        if (place == places.cend()) {
            Fiche_Prefixe record = readPrefixRecord(line);
            record.prefix.clear();
            place = places.insert(rest, int(table.places_.size()));
            table.places_.push_back(std::move(record));
        }
        const QString& country = table.places_[std::size_t(*place)].country;
        return Line{field(line, PrefixFileLayout::Prefix).toStdString(), *place,
                    country.isEmpty() ? 0 : numbers.value(country, 0)};
    };
    forEachLine(prefixText, [&](QByteArrayView bytes) {
        Line line = lineOf(bytes);
        table.firstLine_.try_emplace(line.prefix, int(table.lines_.size()));
        table.longestPrefix_ = std::max(table.longestPrefix_, int(line.prefix.size()));
        table.lines_.push_back(std::move(line));
    });
    forEachLine(exactCallsText, [&](QByteArrayView bytes) {
        const qsizetype blank = bytes.indexOf(' ');
        if (blank <= 0)
            return;
        if (table.exactCalls_
                .try_emplace(std::string(bytes.data(), std::size_t(blank)),
                             int(table.lines_.size()))
                .second)
            table.lines_.push_back(lineOf(bytes.sliced(blank + 1)));
    });
    return table;
}

const CountryTable::Line* CountryTable::lineOf(std::string_view callsign) const {
    while (!callsign.empty() && isBlank(callsign.front()))
        callsign.remove_prefix(1);
    while (!callsign.empty() && isBlank(callsign.back()))
        callsign.remove_suffix(1);
    if (!callsign.empty()) {
        if (const auto exact = exactCalls_.find(callsign); exact != exactCalls_.end())
            return &lines_[std::size_t(exact->second)];
    }
    int first = std::numeric_limits<int>::max();
    for (std::size_t length = 0; length <= std::min(callsign.size(), std::size_t(longestPrefix_));
         ++length) {
        if (const auto line = firstLine_.find(callsign.substr(0, length)); line != firstLine_.end())
            first = std::min(first, line->second);
    }
    return first == std::numeric_limits<int>::max() ? nullptr : &lines_[std::size_t(first)];
}

std::string CountryTable::keyOf(QStringView callsign) {
    callsign = callsign.trimmed();
    // A usual callsign is ASCII, and short enough to need no allocation.
    std::string key;
    key.reserve(std::size_t(callsign.size()));
    for (const QChar c : callsign) {
        if (c.unicode() >= 0x80)
            return callsign.toUtf8().toStdString();
        key += char(c.unicode());
    }
    return key;
}

std::optional<Fiche_Prefixe> CountryTable::recordOf(QStringView callsign) const {
    const Line* line = lineOf(keyOf(callsign));
    if (line == nullptr)
        return std::nullopt;
    Fiche_Prefixe record = places_[std::size_t(line->place)];
    record.prefix = QString::fromStdString(line->prefix);
    return record;
}

int CountryTable::entityOf(QStringView callsign) const {
    const Line* line = lineOf(keyOf(callsign));
    return line == nullptr ? 0 : line->entity;
}

int CountryTable::entityOfLoggedCall(QByteArrayView callsign) const {
    std::string key(callsign.data(), std::size_t(callsign.size()));
    for (char& c : key) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    const Line* line = lineOf(key);
    return line == nullptr ? 0 : line->entity;
}
