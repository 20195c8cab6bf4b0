// The conversion of a cty.dat country file into the lines of the prefix file.

#include "CtyDat.h"
#include "PrefixFileLines.h"
#include "RecordSummary.h"

#include <QDir>
#include <QFile>
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

} // namespace

TEST(PrefixFileGenerator, ExcerptGivesOneLinePerPrefixLongerOnesFirst) {
    std::vector<std::string> records;
    for (const QString& line : excerptLines())
        records.push_back(summary(readPrefixRecord(line)));
    // East-positive longitudes, offsets as local time minus UTC, continents in
    // French, each prefix's overrides on its own line; no exact calls ("="),
    // nothing over six characters (KL0ABCD), nothing of Conway Reef, which
    // has exact calls only; ZL7 from the last record, without a final line end.
    const std::vector<std::string> expected = {
        "AA|United States of America|Amérique du Nord|37.6|-91.87|5|-5|8",
        "AM8|Canary Islands|Afrique|28.32|-15.85|33|0|36",
        "AM|Spain|Europe|40.32|-3.43|14|+1|37",
        "DA|Fed. Rep. of Germany|Europe|51|10|14|+1|28",
        "DB|Fed. Rep. of Germany|Europe|51|10|14|+1|28",
        "DL|Fed. Rep. of Germany|Europe|51|10|14|+1|28",
        "EA8|Canary Islands|Afrique|28.32|-15.85|33|0|36",
        "EA|Spain|Europe|40.32|-3.43|14|+1|37",
        "EB8|Canary Islands|Afrique|28.32|-15.85|33|0|36",
        "EB|Spain|Europe|40.32|-3.43|14|+1|37",
        "K6|United States of America|Amérique du Nord|37.6|-91.87|3|-5|6",
        "KC4AAA|United States of America|Antarctique|-77.85|166.67|12|+12|67",
        "KH6|Hawaii|Océanie|21.12|-157.48|31|-10|61",
        "KH7|Hawaii|Océanie|21.12|-157.48|31|-10|61",
        "K|United States of America|Amérique du Nord|37.6|-91.87|5|-5|8",
        "VU|India|Asie|22.5|77.58|22|+5.5|41",
        "W7|United States of America|Amérique du Nord|43|-112|3|-5|6",
        "W|United States of America|Amérique du Nord|37.6|-91.87|5|-5|8",
        "Y2|Fed. Rep. of Germany|Europe|51|10|14|+1|28",
        "ZL7|Chatham Islands|Océanie|-43.85|-176.48|32|+12.75|60",
    };
    EXPECT_EQ(records, expected);
}

TEST(PrefixFileGenerator, LinesHaveTheColumnsOfAHandMadeFile) {
    // The hand-made file's KH6 line, laid out column by column.
    const QString handMade = readText("k_then_kh6.txt").split(QLatin1Char('\n')).value(1);
    ASSERT_TRUE(handMade.startsWith("KH6"));
    EXPECT_TRUE(excerptLines().contains(handMade));
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
