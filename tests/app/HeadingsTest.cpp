#include "DurerurFixture.h"

TEST_F(DurerurFixture, TheSpotterHeadingStandsOverTheSpotterColumn) {
    Durerur& w = window();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    // A line whose first mark is the spotter field, starting with the same
    // letter as the heading.
    w.Liste_Stations->addItem(QString(37, u' ') + QStringLiteral("S51ABC"));
    const QImage image = w.grab().toImage();

    const QRect heading(w.Text1->mapTo(&w, QPoint(0, 0)), w.Text1->size());
    const QRect line = w.Liste_Stations->visualItemRect(w.Liste_Stations->item(0))
                           .translated(w.Liste_Stations->viewport()->mapTo(&w, QPoint(0, 0)));
    // Where the first glyph of each starts.
    const int spotterHeading = inkRunStarts(image, heading.adjusted(0, 4, 0, -4), 1).at(0);
    const int spotterField = inkRunStarts(image, line, 1).at(0);
    ASSERT_GT(spotterField, 0);
    EXPECT_EQ(spotterHeading, spotterField);
    EXPECT_EQ(w.Text1->text(), "Spotter" + QString(24, u' ') + "Remarques");
    EXPECT_EQ(w.Text1->font(), w.Liste_Stations->font());
}
