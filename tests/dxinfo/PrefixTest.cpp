#include "CountryDataLines.h"
#include "CountryFile.h"
#include "DistanceBearing.h"
#include "PrefixFileLayout.h"
#include "PrefixLookup.h"

#include <QFile>
#include <gtest/gtest.h>

// Looks the callsign up as the 12-character DX field, own station 48.52 N, 2.31 E.
static DxInformation lookUp(const QString& file, const char* callsign) {
    DxInformation dx;
    Cherche_Prefixe(file, QString(callsign).leftJustified(12), "48.52", "2.31", dx);
    return dx;
}

// "prefix|country|continent|CQ|offset|ITU", then the position when asked.
static std::string summary(const Fiche_Prefixe& r, bool position = false) {
    QStringList fields{r.prefix, r.country, r.continent, r.cqZone, r.utcOffset, r.ituZone};
    if (position)
        fields.append(QStringLiteral("%1 %2").arg(r.latitude).arg(r.longitude));
    return fields.join('|').toStdString();
}

TEST(PrefixLookup, FirstMatchingLineInFileOrderWins) {
    // The prefix found and the distance from the own station.
    const char* const cases[][3] = {
        {"k_then_kh6.txt", "KH6ABC", "K 7253"}, // K takes the Hawaiian calls too
        {"kh6_then_k.txt", "KH6ABC", "KH6 12014"},
        {"kh6_then_k.txt", "F5ABC/P", "F 281"},
        {"kh6_then_k.txt", "f5abc", " 0"}, // case-sensitive
        {"no_such_file.txt", "F5ABC", " 0"},
        {"blank_first.txt", "F5ABC", " 5399"}, // a blank line matches all, at 0 N 0 E
    };
    for (const auto& [file, callsign, expected] : cases) {
        const DxInformation dx = lookUp(PELK_TEST_DATA_DIR "/prefix/" + QString(file), callsign);
        EXPECT_EQ(QStringLiteral("%1 %2").arg(dx.record.prefix).arg(dx.distance), expected)
            << file << " " << callsign;
    }
}

TEST(PrefixLookup, RealCallsignsInTheGeneratedFile) {
    const QString file = QStringLiteral(PELK_PROGRAM_DIR "/") + PrefixFileLayout::FileName;
    const std::pair<const char*, const char*> cases[] = {
        {"F5ABC/P", "F|France|Europe|14|+1|27"},
        {"EA8/F5ABC", "EA8|Canary Islands|Afrique|33|0|36"},
        {"KH6XYZ", "KH6|Hawaii|Océanie|31|-10|61"},
        {"W6ABC", "W6|United States of America|Amérique du Nord|3|-5|6"},
        {"ZL7AA", "ZL7|Chatham Islands|Océanie|32|+12.75|60"},
        {"VU2ABC", "VU|India|Asie|22|+5.5|41"},
        // DXpeditions the country file lists by their exact callsign.
        {"3Y0J", "3Y0J|Bouvet|Afrique|38|+1|67"},
        {"TX5S", "TX5S|Clipperton Island|Amérique du Nord|7|-8|10"},
        {"VP8PJ", "VP8PJ|South Orkney Islands|Amérique du Sud|13|-3|73"},
        {"3Y0JA", "3Y|Antarctica|Amérique du Sud|13|0|73"}, // the exact call only
    };
    for (const auto& [callsign, expected] : cases)
        EXPECT_EQ(summary(lookUp(file, callsign).record), expected) << callsign;
}

TEST(PrefixFileGenerator, ExcerptOfCtyDat) {
    QFile excerpt(PELK_TEST_DATA_DIR "/prefix/cty_excerpt.dat");
    ASSERT_TRUE(excerpt.open(QIODevice::ReadOnly));
    QStringList problems;
    const QList<PrefixEntry> entries =
        readCtyDat(QString::fromUtf8(excerpt.readAll()), problems).entries;
    const QStringList lines = prefixFileLines(entries);
    EXPECT_EQ(problems, QStringList());
    // The exact calls in a file of their own, with their overrides.
    const QStringList exact = exactCallLines(entries);
    const QStringList withZone = exact.filter(QStringLiteral("N2NL/MM "));
    ASSERT_EQ(withZone.size(), 1);
    EXPECT_EQ(readPrefixRecord(withZone[0].mid(8)).cqZone, "7");
    // Longer prefixes first; no exact calls ("="), nothing over six characters
    // (KL0ABCD), nothing of Conway Reef, which has exact calls only.
    QStringList prefixes;
    for (const QString& line : lines)
        prefixes.append(readPrefixRecord(line).prefix);
    EXPECT_EQ(prefixes.join(' '),
              "AA AM8 AM DA DB DL EA8 EA EB8 EB K6 KC4AAA KH6 KH7 K VU W7 W Y2 ZL7");
    // Longitudes east-positive, offsets local minus UTC; overrides per prefix.
    const std::pair<int, const char*> cases[] = {
        {3, "DA|Fed. Rep. of Germany|Europe|14|+1|28|51 10"},
        {11, "KC4AAA|United States of America|Antarctique|12|+12|67|-77.85 166.67"},
        {19, "ZL7|Chatham Islands|Océanie|32|+12.75|60|-43.85 -176.48"},
    };
    for (const auto& [index, expected] : cases)
        EXPECT_EQ(summary(readPrefixRecord(lines.value(index)), true), expected);
}

TEST(DistanceAzimut, FromTheOwnStation) {
    const double cases[][4] = {
        {-33.87, 151.21, 16976, 69}, // Sydney
        {38.9, -77.04, 6176, 291},   // Washington: not the flat-map 263
        {60.0, -10.0, 1500, 332},    // north-west: a number, not negative
        {40.0, 2.31, 947, 180},      {48.52, 2.31, 0, 0},
    };
    for (const auto& [latitude, longitude, distance, bearing] : cases) {
        const DistanceAndBearing way = Distance_Azimut(48.52, 2.31, latitude, longitude);
        EXPECT_EQ(std::pair(way.distance, way.bearing), std::pair(distance, bearing)) << latitude;
    }
    // At 79.1 N the cosine sum of a point with itself comes out just above 1.
    EXPECT_EQ(Distance_Azimut(79.1, -85.39, 79.1, -85.39).distance, 0);
}
