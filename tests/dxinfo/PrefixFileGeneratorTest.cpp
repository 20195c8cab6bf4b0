// The conversion of a cty.dat country file into the lines of the prefix file.

#include "CtyDat.h"
#include "PrefixFileLines.h"
#include "PrefixLookup.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <gtest/gtest.h>

namespace {

QString readText(const char* name) {
    QFile file(
        QDir(QStringLiteral(PELK_TEST_DATA_DIR "/prefix")).filePath(QString::fromUtf8(name)));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList excerptLines() {
    QStringList problems;
    const QList<PrefixEntry> entries = readCtyDat(readText("cty_excerpt.dat"), problems);
    EXPECT_EQ(problems, QStringList());
    return prefixFileLines(entries);
}

QMap<QString, Fiche_Prefixe> recordsByPrefix(const QStringList& lines) {
    QMap<QString, Fiche_Prefixe> records;
    for (const QString& line : lines) {
        const Fiche_Prefixe record = readPrefixRecord(line);
        records.insert(record.prefix, record);
    }
    return records;
}

} // namespace

TEST(PrefixFileGenerator, OneLinePerPrefixLongerOnesFirst) {
    QStringList prefixes;
    for (const QString& line : excerptLines())
        prefixes.append(readPrefixRecord(line).prefix);
    // No exact calls ("="), nothing over six characters (KL0ABCD), nothing of
    // an entity that has exact calls only (Conway Reef).
    const QStringList expected = {
        "AA", "AM8",    "AM",  "DA",  "DB", "DL", "EA8", "EA", "EB8", "EB",
        "K6", "KC4AAA", "KH6", "KH7", "K",  "VU", "W7",  "W",  "Y2",  "ZL7",
    };
    EXPECT_EQ(prefixes, expected);
}

TEST(PrefixFileGenerator, LongitudesEastPositiveOffsetsLocalMinusUtcContinentsInFrench) {
    const QMap<QString, Fiche_Prefixe> records = recordsByPrefix(excerptLines());

    const Fiche_Prefixe germany = records.value("DL");
    EXPECT_EQ(germany.country, "Fed. Rep. of Germany");
    EXPECT_EQ(germany.continent, "Europe");
    EXPECT_EQ(germany.longitude, 10);
    EXPECT_EQ(germany.utcOffset, "+1");
    EXPECT_EQ(germany.cqZone, "14");
    EXPECT_EQ(germany.ituZone, "28");

    const Fiche_Prefixe usa = records.value("K");
    EXPECT_EQ(usa.continent, QString::fromUtf8("Amérique du Nord"));
    EXPECT_EQ(usa.longitude, -91.87);
    EXPECT_EQ(usa.utcOffset, "-5");
    EXPECT_EQ(usa.cqZone, "5");

    EXPECT_EQ(records.value("EA8").utcOffset, "0");
    EXPECT_EQ(records.value("EA8").continent, "Afrique");
    EXPECT_EQ(records.value("VU").utcOffset, "+5.5");
    EXPECT_EQ(records.value("VU").continent, "Asie");
    EXPECT_EQ(records.value("VU").longitude, 77.58);

    // The last record, without a final line end.
    const Fiche_Prefixe chatham = records.value("ZL7");
    EXPECT_EQ(chatham.utcOffset, "+12.75");
    EXPECT_EQ(chatham.latitude, -43.85);
    EXPECT_EQ(chatham.longitude, -176.48);
    EXPECT_EQ(chatham.continent, QString::fromUtf8("Océanie"));
}

TEST(PrefixFileGenerator, OverridesApplyToTheirPrefixOnly) {
    const QMap<QString, Fiche_Prefixe> records = recordsByPrefix(excerptLines());

    EXPECT_EQ(records.value("K6").cqZone, "3");
    EXPECT_EQ(records.value("K6").ituZone, "6");
    EXPECT_EQ(records.value("K6").latitude, 37.6);

    const Fiche_Prefixe w7 = records.value("W7");
    EXPECT_EQ(w7.cqZone, "3");
    EXPECT_EQ(w7.latitude, 43);
    EXPECT_EQ(w7.longitude, -112);

    const Fiche_Prefixe w = records.value("W");
    EXPECT_EQ(w.cqZone, "5");
    EXPECT_EQ(w.ituZone, "8");
    EXPECT_EQ(w.latitude, 37.6);

    const Fiche_Prefixe mcMurdo = records.value("KC4AAA");
    EXPECT_EQ(mcMurdo.country, "United States of America");
    EXPECT_EQ(mcMurdo.cqZone, "12");
    EXPECT_EQ(mcMurdo.ituZone, "67");
    EXPECT_EQ(mcMurdo.latitude, -77.85);
    EXPECT_EQ(mcMurdo.longitude, 166.67);
    EXPECT_EQ(mcMurdo.continent, "Antarctique");
    EXPECT_EQ(mcMurdo.utcOffset, "+12");
}

TEST(PrefixFileGenerator, LinesMatchTheColumnsOfAHandMadeFile) {
    const QStringList lines = excerptLines();
    const QString handMade = readText("k_then_kh6.txt").split(QLatin1Char('\n')).value(1);
    ASSERT_TRUE(handMade.startsWith("KH6"));
    EXPECT_TRUE(lines.contains(handMade));
}

TEST(PrefixFileGenerator, ReportsWhatItCannotReadAndKeepsTheRest) {
    QStringList problems;
    const QList<PrefixEntry> entries =
        readCtyDat(u"Nowhere:   14:  28:  EU:   51.00:\r\n    QQ;\r\n"
                   u"Somewhere:  14:  28:  EU:   51.00:   -10.00:    -1.0:  SW:\r\n"
                   u"    SW,SX(4,SY[abc],SZ<1/2,S0<95.00/1.00>,S1!,S2(4)[7],\r\n    =SW1AA;",
                   problems);
    EXPECT_EQ(problems.size(), 6);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].prefix, "SW");
    EXPECT_EQ(entries[1].prefix, "S2");
    EXPECT_EQ(entries[1].cqZone, 4);
    EXPECT_EQ(entries[1].ituZone, 7);
}
