#include "DisplayPass.h"
#include "Fixtures.h"
#include "SortedSpotLines.h"
#include "SpotCollection.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QStringList sortLinesOf(const SortedSpotLines& sorted) {
    QStringList lines;
    for (const auto& [key, entry] : sorted)
        lines.append(entry.sortLine);
    return lines;
}

QStringList shownInMode(std::int16_t Mode_Tri) {
    SortedSpotLines sorted;
    collectSpots(storedPage(fixturePage(QStringLiteral("spots_order.html"))), Mode_Tri,
                 FilterChoices{}, sorted, [] {});
    QStringList dxs;
    for (const QString& line : displayPass(sorted, Mode_Tri))
        dxs.append(line.mid(15, 12).trimmed());
    return dxs;
}

} // namespace

TEST(SortedSpotLines, BlankBeforeSignsBeforeDigitsBeforeLetters) {
    SortedSpotLines sorted;
    for (const char* line : {"B", "a", "9", " ", "/", "A1", "A 1", "A/1", "b2", "10", "1"})
        sorted.add(QString::fromLatin1(line), QString());
    EXPECT_EQ(sortLinesOf(sorted),
              (QStringList{" ", "/", "1", "10", "9", "a", "A 1", "A/1", "A1", "B", "b2"}));
}

TEST(SortedSpotLines, EqualLinesStaySideBySideInTheOrderAdded) {
    SortedSpotLines sorted;
    sorted.add(QStringLiteral("K1"), QStringLiteral("first"));
    sorted.add(QStringLiteral("K2"), QString());
    sorted.add(QStringLiteral("k1"), QStringLiteral("second"));
    sorted.add(QStringLiteral("K1"), QStringLiteral("third"));
    QStringList shown;
    for (const auto& [key, entry] : sorted)
        shown.append(entry.spotLine);
    EXPECT_EQ(shown, (QStringList{"first", "second", "third", ""}));
    sorted.clear();
    EXPECT_TRUE(sorted.isEmpty());
}

TEST(DisplayPass, ModeOneShowsNewestFirstAndTheLaterDxFirstOnEqualDates) {
    EXPECT_EQ(shownInMode(1), (QStringList{"K3LR", "ZL1ABC", "DL1ABC", "9A2AB"}));
}

TEST(DisplayPass, ModeTwoShowsDxAscendingDigitsFirst) {
    EXPECT_EQ(shownInMode(2), (QStringList{"9A2AB", "DL1ABC", "K3LR", "ZL1ABC"}));
}

TEST(DisplayPass, ModeThreeShowsFrequenciesByValue) {
    // 1823.5, 14025.0, 28020.0, 144300.0: four, five then six digits.
    EXPECT_EQ(shownInMode(3), (QStringList{"DL1ABC", "ZL1ABC", "K3LR", "9A2AB"}));
}

TEST(DisplayPass, EveryModeShowsTheSameWholeSpotLines) {
    for (const char* fixture : {"spots_columns.html", "spots_faults.html"}) {
        SCOPED_TRACE(fixture);
        const QString page = storedPage(fixturePage(QString::fromLatin1(fixture)));
        QList<QStringList> shown;
        for (std::int16_t mode = 1; mode <= 3; ++mode) {
            SortedSpotLines sorted;
            collectSpots(page, mode, FilterChoices{}, sorted, [] {});
            QStringList lines = displayPass(sorted, mode);
            lines.sort();
            shown.append(lines);
        }
        ASSERT_FALSE(shown[0].isEmpty());
        EXPECT_EQ(shown[1], shown[0]);
        EXPECT_EQ(shown[2], shown[0]);
    }
    // A frequency longer than its column is shown whole in every order.
    SortedSpotLines sorted;
    collectSpots(storedPage(fixturePage(QStringLiteral("spots_faults.html"))), 3, FilterChoices{},
                 sorted, [] {});
    EXPECT_TRUE(displayPass(sorted, 3).contains(QStringLiteral(
        " 06 DEC 14:06Z S51ABC       1296100.00 VE3ABC/VY2XX LONG QRG AND SPOTTER")));
}

TEST(SpotCollection, AddsPerFilterAndSoundsPerAlertInRowOrder) {
    SortedSpotLines sorted;
    FilterChoices choices;
    choices.Check1 = true;
    choices.Check2 = true;
    choices.Check3 = true;
    choices.Indicatif = QStringLiteral("F");
    QStringList sounded;
    const int rows = collectSpots(storedPage(fixturePage(QStringLiteral("spots_columns.html"))), 1,
                                  choices, sorted, [&] { sounded.append(QString()); });
    EXPECT_EQ(rows, 4);
    // F5ABC passes both filters, TK5EP the French one; only F5ABC sounds.
    const QStringList lines = displayPass(sorted, 1);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].mid(15, 12), QStringLiteral("TK5EP       "));
    EXPECT_EQ(lines[1], lines[2]);
    EXPECT_EQ(lines[1].mid(15, 12), QStringLiteral("F5ABC       "));
    EXPECT_EQ(sounded.size(), 1);
}
