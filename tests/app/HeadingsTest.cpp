#include "DurerurFixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {

// The first pixel column, left to right within `area`, that holds a dark
// pixel: where the first glyph of a text starts.
int firstInkColumn(const QImage& image, const QRect& area) {
    for (int x = area.left(); x <= area.right(); ++x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (qGray(image.pixel(x, y)) < 128)
                return x;
        }
    }
    return -1;
}

} // namespace

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
    const int spotterHeading = firstInkColumn(image, heading.adjusted(0, 4, 0, -4));
    const int spotterField = firstInkColumn(image, line);
    ASSERT_GT(spotterField, 0);
    EXPECT_EQ(spotterHeading, spotterField);
    EXPECT_EQ(w.Text1->text(), "Spotter" + QString(24, u' ') + "Remarques");
    EXPECT_EQ(w.Text1->font(), w.Liste_Stations->font());
}
