#include "SpotTableReader.h"
#include "Fixtures.h"
#include "SpotRow.h"
#include "TextReader.h"

#include <QStringList>

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QStringList spotLinesOf(const QString& page) {
    SpotTableReader table(page);
    QStringList lines;
    SpotRow row;
    while (table.next(row))
        lines.append(spotLine(row));
    return lines;
}

QStringList spotLinesOfFixture(const QString& name) {
    return spotLinesOf(storedPage(fixturePage(name)));
}

} // namespace

TEST(TextReader, LinesEndAtCarriageReturnsOnly) {
    TextReader reader(QStringLiteral("a\r\nb\rc\nd\r\n\r\n"));
    EXPECT_EQ(reader.readLine(), QStringLiteral("a"));
    EXPECT_EQ(reader.readLine(), QStringLiteral("b"));
    EXPECT_EQ(reader.readLine(), QStringLiteral("c\nd"));
    EXPECT_EQ(reader.readLine(), QString());
    EXPECT_TRUE(reader.atEnd());
    EXPECT_FALSE(reader.readLine().has_value());
}

TEST(TextReader, ItemsFollowCommasQuotesAndLineEnds) {
    TextReader reader(QStringLiteral("one, two,\"three, four\" x,five\r\n"
                                     "six,\r\n"
                                     "\"seven\r\neight\",nine\r\n"
                                     "ten,rest of the line\r\n"));
    QStringList items;
    for (int i = 0; i < 8; ++i)
        items.append(reader.readItem().value_or(QStringLiteral("<none>")));
    EXPECT_EQ(items, (QStringList{"one", "two", "three, four", "five", "six", "", "seven\r\neight",
                                  "nine"}));
    // An item read ends where a line may be read on.
    EXPECT_EQ(reader.readItem(), QStringLiteral("ten"));
    EXPECT_EQ(reader.readLine(), QStringLiteral("rest of the line"));
    EXPECT_FALSE(reader.readItem().has_value());
}

TEST(SpotTableReader, BuildsSpotLinesInFixedColumns) {
    const QStringList lines = spotLinesOfFixture(QStringLiteral("spots_columns.html"));
    ASSERT_EQ(lines.size(), 4);
    // A 5-character DX gets 7 blanks, a 14-character one keeps its first 12;
    // 6-, 7- and 8-character frequencies get 2, 1 and no blank in front.
    EXPECT_EQ(lines[0],
              QStringLiteral(" 06 DEC 14:05Z F5ABC         14025.0 DL1XYZ      <QSL> VIA BURO"));
    EXPECT_EQ(lines[1],
              QStringLiteral(" 06 DEC 14:07Z VP2V/DL1ABCD 144300.0 EA8/G4XYZ/P TNX QSO &; 73"));
    EXPECT_EQ(lines[2],
              QStringLiteral(" 06 DEC 14:08Z JA1ABC         7012.5 W1AW        CQ &P;DX 599 &"));
    EXPECT_EQ(lines[3], QStringLiteral(" 06 DEC 14:09Z TK5EP         21074.0 ON4ABC      "));
    for (const QString& line : lines) {
        EXPECT_EQ(line.mid(14, 1), QStringLiteral(" ")) << line.toStdString();
        EXPECT_EQ(line.mid(27, 1), QStringLiteral(" ")) << line.toStdString();
        EXPECT_EQ(line.mid(36, 1), QStringLiteral(" ")) << line.toStdString();
    }
}

TEST(SpotTableReader, DropsMalformedRowsAndKeepsLongFieldsWhole) {
    const QStringList lines = spotLinesOfFixture(QStringLiteral("spots_faults.html"));
    // Missing closing markers, a negative length and markers out of order
    // drop their rows; the second table is not read.
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral(" 06 DEC 14:01Z G3ABC          3512.0 F6XYZ       FIRST"));
    EXPECT_EQ(
        lines[1],
        QStringLiteral(" 06 DEC 14:06Z S51ABC       1296100.00 VE3ABC/VY2XX LONG QRG AND SPOTTER"));
    EXPECT_EQ(lines[2], QStringLiteral(" 06 DEC 14:07Z LZ1ABC         3518.0 F6XYZ       LAST"));
}

TEST(SpotTableReader, DropsARowCutShortByTheEndOfThePage) {
    EXPECT_EQ(spotLinesOfFixture(QStringLiteral("spots_truncated.html")),
              QStringList{QStringLiteral(" 06 DEC 14:01Z OH2ABC        50313.0 SM5XYZ      FT8")});
}

TEST(SpotTableReader, PagesWithoutRowsGiveNothing) {
    const QByteArray row = "<tr>\n<td>x</td>\n";
    for (const QByteArray& page :
         {QByteArray("<html><body>no spots</body></html>\n"), QByteArray("<table>\n"),
          QByteArray("<table>\na\nb\nc\nd\ne\nf\ng\n</table>\n" + row),
          QByteArray("<table class=\"spots\">\na\nb\nc\nd\ne\nf\ng\n" + row), QByteArray()})
        EXPECT_TRUE(spotLinesOf(storedPage(page)).isEmpty()) << page.toStdString();
}

TEST(SpotTableReader, RemarkEntityWalk) {
    const auto decode = [](const char* text) {
        return SpotTableReader::decodeEntities(QString::fromLatin1(text));
    };
    EXPECT_EQ(decode("&LT;QSL&GT; VIA BURO"), QStringLiteral("<QSL> VIA BURO"));
    EXPECT_EQ(decode("R&AMP;R"), QStringLiteral("R&;R"));
    EXPECT_EQ(decode("UP&NBSP;2"), QStringLiteral("UP&P;2"));
    // Three characters are skipped after every "&", whatever they are.
    EXPECT_EQ(decode("A&B C D"), QStringLiteral("A& D"));
    EXPECT_EQ(decode("A&LTB"), QStringLiteral("A<"));
    // A trailing "&", alone or with fewer than two characters after it.
    EXPECT_EQ(decode("599 &"), QStringLiteral("599 &"));
    EXPECT_EQ(decode("599 &L"), QStringLiteral("599 &"));
    EXPECT_EQ(decode("&lt;"), QStringLiteral("&"));
    EXPECT_EQ(decode(""), QString());
}

TEST(SpotRow, SortLinesPutTheirFieldFirst) {
    const SpotRow row{QStringLiteral("06 DEC 14:05Z"), QStringLiteral("F5ABC       "),
                      QStringLiteral(" 14025.0"), QStringLiteral("DL1XYZ     "),
                      QStringLiteral("CQ")};
    EXPECT_EQ(sortLine(row, 1), spotLine(row));
    EXPECT_EQ(sortLine(row, 2),
              QStringLiteral(" F5ABC        06 DEC 14:05Z  14025.0 DL1XYZ      CQ"));
    EXPECT_EQ(sortLine(row, 3),
              QStringLiteral("  14025.0 F5ABC        06 DEC 14:05Z DL1XYZ      CQ"));
}
