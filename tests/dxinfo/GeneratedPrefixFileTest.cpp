// The prefix file the build generates from the installed cty.dat.

#include "PrefixFileLayout.h"
#include "PrefixLookup.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

QString generatedFile() {
    return QDir(QStringLiteral(PELK_PROGRAM_DIR)).filePath(PrefixFileLayout::FileName);
}

struct Entity {
    const char* callsign;
    const char* prefix;
    const char* country;
    const char* continent;
    const char* cqZone;
    const char* ituZone;
    const char* utcOffset;
};

} // namespace

TEST(GeneratedPrefixFile, RealCallsignsFindTheirEntity) {
    const Entity entities[] = {
        {"DL1ABC", "DL", "Fed. Rep. of Germany", "Europe", "14", "28", "+1"},
        {"F5ABC/P", "F", "France", "Europe", "14", "27", "+1"},
        {"EA8/F5ABC", "EA8", "Canary Islands", "Afrique", "33", "36", "0"},
        {"EA5XYZ", "EA", "Spain", "Europe", "14", "37", "+1"},
        {"KH6XYZ", "KH6", "Hawaii", "Océanie", "31", "61", "-10"},
        {"K1ABC", "K", "United States of America", "Amérique du Nord", "5", "8", "-5"},
        {"W6ABC", "W6", "United States of America", "Amérique du Nord", "3", "6", "-5"},
        {"AA0XX", "AA0", "United States of America", "Amérique du Nord", "4", "7", "-5"},
        {"N4ABC", "N", "United States of America", "Amérique du Nord", "5", "8", "-5"},
        {"VE2XX", "VE2", "Canada", "Amérique du Nord", "5", "4", "-5"},
        {"KL7ABC", "KL", "Alaska", "Amérique du Nord", "1", "1", "-8"},
        {"KP4ABC", "KP4", "Puerto Rico", "Amérique du Nord", "8", "11", "-4"},
        {"VK2ABC", "VK", "Australia", "Océanie", "30", "59", "+10"},
        {"ZL1ABC", "ZL", "New Zealand", "Océanie", "32", "60", "+12"},
        {"ZL7AA", "ZL7", "Chatham Islands", "Océanie", "32", "60", "+12.75"},
        {"JA1ABC", "JA", "Japan", "Asie", "25", "45", "+9"},
        {"UA3ABC", "U", "European Russia", "Europe", "16", "29", "+4"},
        {"UA9ABC", "UA9", "Asiatic Russia", "Asie", "17", "30", "+7"},
        {"VU2ABC", "VU", "India", "Asie", "22", "41", "+5.5"},
        {"9N1AA", "9N", "Nepal", "Asie", "22", "42", "+5.75"},
        {"4X1ABC", "4X", "Israel", "Asie", "20", "39", "+2"},
        {"BY1ABC", "BY", "China", "Asie", "24", "44", "+8"},
        {"PY2ABC", "PY", "Brazil", "Amérique du Sud", "11", "15", "-3"},
        {"LU1ABC", "LU", "Argentina", "Amérique du Sud", "13", "14", "-3"},
        {"VP8ABC", "VP8", "Falkland Islands", "Amérique du Sud", "13", "16", "-4"},
        {"ZS6ABC", "ZS", "South Africa", "Afrique", "38", "57", "+2"},
        {"3B8ABC", "3B8", "Mauritius", "Afrique", "39", "53", "+4"},
        {"FR5ABC", "FR", "Reunion Island", "Afrique", "39", "53", "+4"},
        {"CT3ABC", "CT3", "Madeira Islands", "Afrique", "33", "36", "0"},
        {"G4ABC", "G", "England", "Europe", "14", "27", "0"},
        {"GM3ABC", "GM", "Scotland", "Europe", "14", "27", "0"},
        {"MM0ABC", "MM", "Scotland", "Europe", "14", "27", "0"},
        {"HB9ABC", "HB", "Switzerland", "Europe", "14", "28", "+1"},
        {"HB0ABC", "HB0", "Liechtenstein", "Europe", "14", "28", "+1"},
        {"OH2ABC", "OH", "Finland", "Europe", "15", "18", "+2"},
        {"OH0ABC", "OH0", "Aland Islands", "Europe", "15", "18", "+2"},
        {"IT9ABC", "IT9", "Sicily", "Europe", "15", "28", "+1"},
        {"I2ABC", "I", "Italy", "Europe", "15", "28", "+1"},
    };
    for (const Entity& e : entities) {
        SCOPED_TRACE(e.callsign);
        DxInformation result;
        Cherche_Prefixe(generatedFile(), QString::fromUtf8(e.callsign).leftJustified(12),
                        QStringLiteral("48.52"), QStringLiteral("2.31"), result);
        EXPECT_EQ(result.record.prefix, QString::fromUtf8(e.prefix));
        EXPECT_EQ(result.record.country, QString::fromUtf8(e.country));
        EXPECT_EQ(result.record.continent, QString::fromUtf8(e.continent));
        EXPECT_EQ(result.record.cqZone, QString::fromUtf8(e.cqZone));
        EXPECT_EQ(result.record.ituZone, QString::fromUtf8(e.ituZone));
        EXPECT_EQ(result.record.utcOffset, QString::fromUtf8(e.utcOffset));
    }
}

TEST(GeneratedPrefixFile, PositionsAreEastPositive) {
    DxInformation result;
    Cherche_Prefixe(generatedFile(), QStringLiteral("VK2ABC      "), QStringLiteral("48.52"),
                    QStringLiteral("2.31"), result);
    EXPECT_GT(result.record.longitude, 100);
    EXPECT_LT(result.record.latitude, -20);
    Cherche_Prefixe(generatedFile(), QStringLiteral("W1ABC       "), QStringLiteral("48.52"),
                    QStringLiteral("2.31"), result);
    EXPECT_LT(result.record.longitude, -60);
    EXPECT_GT(result.bearing, 270); // north-west of Paris
}

TEST(GeneratedPrefixFile, EveryLongerPrefixStandsBeforeTheShorterOnesThatBeginIt) {
    QFile file(generatedFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    ASSERT_TRUE(lines.last().isEmpty()); // the file ends with a line end
    ASSERT_GT(lines.size(), 5000);

    QSet<QString> seen;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const QString& line = lines[i];
        ASSERT_EQ(line.size(), PrefixFileLayout::LineLength) << line.toStdString();
        const QString prefix = readPrefixRecord(line).prefix;
        ASSERT_FALSE(prefix.isEmpty());
        ASSERT_FALSE(prefix.contains(QLatin1Char('='))) << prefix.toStdString();
        ASSERT_FALSE(seen.contains(prefix)) << "listed twice: " << prefix.toStdString();
        for (qsizetype length = 1; length < prefix.size(); ++length)
            ASSERT_FALSE(seen.contains(prefix.left(length)))
                << prefix.left(length).toStdString() << " hides " << prefix.toStdString();
        seen.insert(prefix);
    }
}
