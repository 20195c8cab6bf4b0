#include "EntityNumbers.h"

#include "PrefixFileLayout.h"

#include <QDir>
#include <QFile>
#include <QHash>

EntityNumbers EntityNumbers::load(const QString& countryFolder) {
    QFile numbers(QDir(countryFolder).filePath(PrefixFileLayout::EntityNumbersFileName));
    const QString text =
        numbers.open(QIODevice::ReadOnly) ? QString::fromUtf8(numbers.readAll()) : QString();
    return parse(PrefixTable::load(countryFolder), text);
}

EntityNumbers EntityNumbers::parse(PrefixTable prefixes, QStringView numbersText) {
    EntityNumbers table;
    table.prefixes_ = std::move(prefixes);
    QHash<QString, int> numbers;
    for (QStringView line : numbersText.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        const qsizetype blank = line.indexOf(QLatin1Char(' '));
        const int number = blank > 0 ? line.first(blank).toInt() : 0;
        if (number > 0) {
            numbers.insert(line.sliced(blank + 1).trimmed().toString(), number);
            table.highest_ = std::max(table.highest_, number);
        }
    }
    for (const QString& country : table.prefixes_.countries())
        table.numbers_.push_back(country.isEmpty() ? 0 : numbers.value(country, 0));
    return table;
}

int EntityNumbers::ofCall(QStringView callsign) const {
    // Short calls are held without allocating; no prefix is beyond ASCII.
    std::string key;
    key.reserve(std::size_t(callsign.size()));
    for (const QChar c : callsign)
        key += c.unicode() < 0x80 ? char(c.unicode()) : '\xFF';
    const int country = prefixes_.countryOf(key);
    return country < 0 ? 0 : numbers_[std::size_t(country)];
}

int EntityNumbers::ofLoggedCall(QByteArrayView callsign) const {
    std::string key(callsign.data(), std::size_t(callsign.size()));
    for (char& c : key) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    const int country = prefixes_.countryOf(key);
    return country < 0 ? 0 : numbers_[std::size_t(country)];
}

namespace {

bool received(const QByteArray& field) {
    return field.compare("Y", Qt::CaseInsensitive) == 0 ||
           field.compare("V", Qt::CaseInsensitive) == 0;
}

} // namespace

LoggedContact loggedContact(const AdifRecord& record, const EntityNumbers& entities) {
    LoggedContact contact;
    bool isNumber = false;
    const int dxcc = record.dxcc.toInt(&isNumber);
    contact.entity =
        isNumber && entities.isEntity(dxcc) ? dxcc : entities.ofLoggedCall(record.call);
    std::optional<int> band = bandNamed(record.band);
    if (!band) {
        bool isFrequency = false;
        const double megahertz = record.freq.toDouble(&isFrequency);
        if (isFrequency)
            band = amateurBandOfKhz(megahertz * 1000);
    }
    contact.band = std::int8_t(band.value_or(-1));
    const std::optional<ModeGroup> group = contactModeGroup(record.mode);
    contact.group = group ? std::int8_t(*group) : std::int8_t(-1);
    contact.confirmedBy = std::uint8_t((received(record.qslRcvd) ? PaperQsl : 0) |
                                       (received(record.lotwQslRcvd) ? Lotw : 0) |
                                       (received(record.eqslQslRcvd) ? Eqsl : 0));
    return contact;
}
