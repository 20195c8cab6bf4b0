#include "CountryVersion.h"

#include "CountryFile.h"
#include "RegularFile.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<CountryVersion::Origin, QStringView>, 3> OriginWords{{
    {CountryVersion::Origin::Build, u"programme"},
    {CountryVersion::Origin::Debian, u"debian"},
    {CountryVersion::Origin::Site, u"site"},
}};

constexpr std::array<QStringView, 12> MonthNames{
    u"janvier", u"février", u"mars",      u"avril",   u"mai",      u"juin",
    u"juillet", u"août",    u"septembre", u"octobre", u"novembre", u"décembre",
};

// Beyond the version's first line, nothing long is read.
constexpr qint64 LongestFile = 4096;

} // namespace

CountryVersion CountryVersion::read(const QString& folder) {
    CountryVersion version;
    const std::optional<QByteArray> bytes =
        regularFileBytes(QDir(folder).filePath(FileName), LongestFile);
    if (!bytes)
        return version;
    const QStringList lines = QString::fromUtf8(*bytes).split(QLatin1Char('\n'));
    version.date = QDate::fromString(lines.value(0).trimmed(), QStringLiteral("yyyyMMdd"));
    for (const auto& [origin, word] : OriginWords) {
        if (lines.value(1).trimmed() == word)
            version.origin = origin;
    }
    version.source = lines.value(2).trimmed();
    return version;
}

QByteArray CountryVersion::fileText() const {
    QString word;
    for (const auto& [each, text] : OriginWords) {
        if (each == origin)
            word = text.toString();
    }
    return (date.toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('\n') + word +
            QLatin1Char('\n') + source + QLatin1Char('\n'))
        .toUtf8();
}

QString CountryVersion::frenchDate(QDate date) {
    if (!date.isValid())
        return QStringLiteral("date inconnue");
    const QString day = date.day() == 1 ? QStringLiteral("1er") : QString::number(date.day());
    return day + QLatin1Char(' ') + MonthNames[std::size_t(date.month() - 1)].toString() +
           QLatin1Char(' ') + QString::number(date.year());
}

QString CountryVersion::versionText() const {
    return date.isValid() ? QStringLiteral("version du ") + frenchDate(date)
                          : QStringLiteral("version inconnue");
}

QString CountryVersion::aboutLine() const {
    QString where;
    switch (origin) {
    case Origin::Build:
        where = QStringLiteral("livré avec le programme");
        break;
    case Origin::Debian:
        where = QStringLiteral("paquet Debian hamradio-files");
        break;
    case Origin::Site:
        where = QStringLiteral("téléchargé de ") + source;
        break;
    }
    const QString when = date.isValid() ? QStringLiteral("du ") + frenchDate(date)
                                        : QStringLiteral("de version inconnue");
    return QStringLiteral("Pays : cty %1 (%2)").arg(when, where);
}
