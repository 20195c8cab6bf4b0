#include "RecordSummary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString handMade(const char* name) {
    return QDir(QStringLiteral(PELK_TEST_DATA_DIR "/prefix")).filePath(QString::fromUtf8(name));
}

// Own station 48.52 N, 2.31 E; the callsign as the 12-character DX field.
DxInformation lookUp(const QString& file, const char* callsign) {
    DxInformation result;
    Cherche_Prefixe(file, QString::fromUtf8(callsign).leftJustified(12), QStringLiteral("48.52"),
                    QStringLiteral("2.31"), result);
    return result;
}

} // namespace

TEST(PrefixLookup, FirstMatchingLineInFileOrderWins) {
    // K before KH6: K takes the Hawaiian calls too.
    EXPECT_EQ(lookUp(handMade("k_then_kh6.txt"), "KH6ABC").record.prefix, "K");

    // KH6 before K (this file has CR LF line ends).
    const QString kh6First = handMade("kh6_then_k.txt");
    EXPECT_EQ(summary(lookUp(kh6First, "KH6ABC").record),
              "KH6|Hawaii|Océanie|21.12|-157.48|31|-10|61");
    EXPECT_EQ(lookUp(kh6First, "K1ABC").record.prefix, "K");
    // A callsign shorter than a prefix never matches it.
    EXPECT_EQ(lookUp(kh6First, "KH").record.prefix, "K");
}

TEST(PrefixLookup, ComparisonIsExactAndCaseSensitive) {
    const QString file = handMade("k_then_kh6.txt");
    const DxInformation france = lookUp(file, "F5ABC/P");
    EXPECT_EQ(summary(france.record), "F|France|Europe|46|2|14|+1|27");
    EXPECT_EQ(france.distance, 281);
    EXPECT_EQ(france.bearing, 184);

    EXPECT_EQ(lookUp(file, "f5abc").record.prefix, QString());
    EXPECT_EQ(lookUp(file, " F5ABC").record.prefix, QString());
}

TEST(PrefixLookup, BlankLineMatchesEveryCallsignAtLatitudeAndLongitudeZero) {
    for (const char* callsign : {"F5ABC", "JA1XYZ", ""}) {
        const DxInformation result = lookUp(handMade("blank_first.txt"), callsign);
        EXPECT_EQ(summary(result.record), "|||0|0|||") << callsign;
        EXPECT_EQ(result.distance, 5399) << callsign;
        EXPECT_EQ(result.bearing, 183) << callsign;
    }
}

TEST(PrefixLookup, PositionsTakeTheLeadingNumber) {
    const QString file = handMade("positions.txt");
    const DxInformation sydney = lookUp(file, "VK2ABC");
    EXPECT_EQ(sydney.record.latitude, -33.87);
    EXPECT_EQ(sydney.record.longitude, 151.21);
    EXPECT_EQ(sydney.distance, 16976);
    EXPECT_EQ(sydney.bearing, 69);

    // "abc" counts as 0, "12,5x" as 12.
    EXPECT_EQ(summary(lookUp(file, "XX1A").record), "XX|Garbage positions|Europe|0|12|1|0|2");
    // A lone minus sign, or two of them, is no number.
    EXPECT_EQ(summary(lookUp(file, "YY1A").record), "YY|Minus only|Europe|0|0|1|0|2");
    // A line that ends inside the country: the later fields are empty.
    EXPECT_EQ(summary(lookUp(file, "ZZ1A").record), "ZZ|Short line||0|0|||");
}

TEST(PrefixLookup, WithoutMatchOnlyTheCountryIsEmptied) {
    // The last line end of the file starts no empty (all-matching) line.
    for (const QString& file : {handMade("k_then_kh6.txt"), handMade("no_such_file.txt")}) {
        DxInformation result;
        result.record.prefix = QStringLiteral("old");
        result.record.country = QStringLiteral("old");
        result.distance = 123;
        result.bearing = 45;
        Cherche_Prefixe(file, QStringLiteral("JA1ABC      "), QStringLiteral("48.52"),
                        QStringLiteral("2.31"), result);
        EXPECT_EQ(result.record.country, QString()) << file.toStdString();
        EXPECT_EQ(result.record.prefix, "old");
        EXPECT_EQ(result.distance, 123);
        EXPECT_EQ(result.bearing, 45);
    }
}

TEST(PrefixLookup, ReadsTheFileAfreshOnEveryCall) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Prefixe_DXCC.txt"));
    const auto write = [&path](const char* line) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(line);
    };
    write("F      France\n");
    EXPECT_EQ(lookUp(path, "F5ABC").record.country, "France");
    write("F      Gaule\n");
    EXPECT_EQ(lookUp(path, "F5ABC").record.country, "Gaule");
}
