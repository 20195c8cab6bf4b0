// The country table: the line of the country data a callsign takes, and the
// files the build makes from the country file.
#include "CountryTable.h"
#include "CountryDataLines.h"
#include "CountryFile.h"
#include "TestSupport.h"

namespace {

// "prefix|country|continent|CQ|offset|ITU", then the position when asked;
// "-" without a line.
std::string summary(const std::optional<Fiche_Prefixe>& r, bool position = false) {
    if (!r)
        return "-";
    QStringList fields{r->prefix, r->country, r->continent, r->cqZone, r->utcOffset, r->ituZone};
    if (position)
        fields.append(QStringLiteral("%1 %2").arg(r->latitude).arg(r->longitude));
    return fields.join('|').toStdString();
}

} // namespace

TEST(CountryTable, FirstMatchingLineInFileOrderWins) {
    // A test file and the prefix of the line found, or the build's file and
    // the whole line.
    const CountryTable built = CountryTable::load(PELK_PROGRAM_DIR);
    const char* const cases[][3] = {
        {"k_then_kh6.txt", "KH6ABC", "K"}, // K takes the Hawaiian calls too
        {"kh6_then_k.txt", "KH6ABC", "KH6"},
        {"kh6_then_k.txt", "F5ABC/P", "F"},
        {"kh6_then_k.txt", "f5abc", "-"}, // case counts
        {"no_such_file.txt", "F5ABC", "-"},
        {"blank_first.txt", "F5ABC", ""}, // a blank line matches all
        {nullptr, "F5ABC/P", "F|France|Europe|14|+1|27"},
        {nullptr, "EA8/F5ABC", "EA8|Canary Islands|Afrique|33|0|36"},
        {nullptr, "KH6XYZ", "KH6|Hawaii|Océanie|31|-10|61"},
        {nullptr, "ZL7AA", "ZL7|Chatham Islands|Océanie|32|+12.75|60"},
        // DXpeditions the country file lists by their exact callsign.
        {nullptr, "3Y0J", "3Y0J|Bouvet|Afrique|38|+1|67"},
        {nullptr, "3Y0JA", "3Y|Antarctica|Amérique du Sud|13|0|73"}, // the exact call only
    };
    for (const auto& [file, callsign, expected] : cases) {
        const CountryTable table =
            file ? CountryTable::parse(
                       readAll(PELK_TEST_DATA_DIR "/prefix/" + QString(file)).toUtf8(), {}, {})
                 : built;
        const std::string found = summary(table.recordOf(QString(callsign).leftJustified(12)));
        EXPECT_EQ(file ? found.substr(0, found.find('|')) : found, expected) << callsign;
    }
}

TEST(PrefixFileGenerator, ExcerptOfCtyDat) {
    QStringList problems;
    const QList<PrefixEntry> entries =
        readCtyDat(readAll(PELK_TEST_DATA_DIR "/prefix/cty_excerpt.dat"), problems).entries;
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
