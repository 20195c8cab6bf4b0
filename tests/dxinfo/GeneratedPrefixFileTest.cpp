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

} // namespace

TEST(GeneratedPrefixFile, RealCallsignsFindTheirEntity) {
    // Callsign, then "prefix|country|continent|CQ|offset|ITU".
    const std::pair<const char*, const char*> entities[] = {
        {"DL1ABC", "DL|Fed. Rep. of Germany|Europe|14|+1|28"},
        {"F5ABC/P", "F|France|Europe|14|+1|27"},
        {"EA8/F5ABC", "EA8|Canary Islands|Afrique|33|0|36"},
        {"EA5XYZ", "EA|Spain|Europe|14|+1|37"},
        {"G4ABC", "G|England|Europe|14|0|27"},
        {"MM0ABC", "MM|Scotland|Europe|14|0|27"},
        {"HB0ABC", "HB0|Liechtenstein|Europe|14|+1|28"},
        {"IT9ABC", "IT9|Sicily|Europe|15|+1|28"},
        {"UA3ABC", "U|European Russia|Europe|16|+4|29"},
        {"UA9ABC", "UA9|Asiatic Russia|Asie|17|+7|30"},
        {"KH6XYZ", "KH6|Hawaii|Océanie|31|-10|61"},
        {"K1ABC", "K|United States of America|Amérique du Nord|5|-5|8"},
        {"W6ABC", "W6|United States of America|Amérique du Nord|3|-5|6"},
        {"AA0XX", "AA0|United States of America|Amérique du Nord|4|-5|7"},
        {"KL7ABC", "KL|Alaska|Amérique du Nord|1|-8|1"},
        {"VE2XX", "VE2|Canada|Amérique du Nord|5|-5|4"},
        {"PY2ABC", "PY|Brazil|Amérique du Sud|11|-3|15"},
        {"VP8ABC", "VP8|Falkland Islands|Amérique du Sud|13|-4|16"},
        {"VK2ABC", "VK|Australia|Océanie|30|+10|59"},
        {"ZL7AA", "ZL7|Chatham Islands|Océanie|32|+12.75|60"},
        {"JA1ABC", "JA|Japan|Asie|25|+9|45"},
        {"VU2ABC", "VU|India|Asie|22|+5.5|41"},
        {"9N1AA", "9N|Nepal|Asie|22|+5.75|42"},
        {"ZS6ABC", "ZS|South Africa|Afrique|38|+2|57"},
        {"3B8ABC", "3B8|Mauritius|Afrique|39|+4|53"},
    };
    for (const auto& [callsign, expected] : entities) {
        DxInformation dx;
        Cherche_Prefixe(generatedFile(), QString::fromUtf8(callsign).leftJustified(12),
                        QStringLiteral("48.52"), QStringLiteral("2.31"), dx);
        const Fiche_Prefixe& r = dx.record;
        EXPECT_EQ(QStringList({r.prefix, r.country, r.continent, r.cqZone, r.utcOffset, r.ituZone})
                      .join(QLatin1Char('|'))
                      .toStdString(),
                  expected)
            << callsign;
    }
}

TEST(GeneratedPrefixFile, EveryPrefixStandsBeforeTheShorterOnesThatBeginIt) {
    QFile file(generatedFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    ASSERT_TRUE(lines.takeLast().isEmpty()); // every line ends with CR LF, the last one too
    ASSERT_GT(lines.size(), 5000);

    QSet<QString> seen;
    for (const QString& line : lines) {
        ASSERT_EQ(line.size(), PrefixFileLayout::LineLength) << line.toStdString();
        const QString prefix = readPrefixRecord(line).prefix;
        ASSERT_FALSE(prefix.isEmpty() || prefix.contains(QLatin1Char('='))) << line.toStdString();
        for (qsizetype length = 1; length <= prefix.size(); ++length)
            ASSERT_FALSE(seen.contains(prefix.left(length)))
                << prefix.left(length).toStdString() << " stands before " << prefix.toStdString();
        seen.insert(prefix);
    }
}
