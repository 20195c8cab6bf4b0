#include "ListClickWatcher.h"
#include "TestSupport.h"

#include <QtWidgets>

TEST(ListClickWatcher, ClicksArrowsAndReclicksChooseButKeyboardFocusDoesNot) {
    QListWidget list;
    list.addItems({"first", "second", "third"});
    std::vector<int> rows;
    new ListClickWatcher(&list, [&] { rows.push_back(list.currentRow()); });
    list.show();
    QApplication::processEvents();
    // Qt makes the first line current on keyboard focus: that must not tune the radio.
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&list, &focus);
    EXPECT_TRUE(rows.empty());

    const auto click = [&](int row) {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualItemRect(list.item(row)).center());
    };
    click(1);
    click(1); // the same line again acts again
    QTest::keyClick(&list, Qt::Key_Down);
    click(0);
    EXPECT_EQ(rows, (std::vector<int>{1, 1, 2, 0}));
}
