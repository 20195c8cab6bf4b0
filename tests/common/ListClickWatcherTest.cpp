#include "ListClickWatcher.h"

#include <QApplication>
#include <QFocusEvent>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

class ListClickWatcherTest : public ::testing::Test {
protected:
    ListClickWatcherTest() {
        list.addItems({"first", "second", "third"});
        list.resize(200, 200);
        new ListClickWatcher(&list, [this] { rows.push_back(list.currentRow()); });
        list.show();
        QApplication::processEvents();
    }

    QPoint centreOf(int row) { return list.visualItemRect(list.item(row)).center(); }

    QListWidget list;
    std::vector<int> rows;
};

TEST_F(ListClickWatcherTest, ClicksArrowsAndReclicksEachRunTheHandlerOnce) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centreOf(1));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centreOf(1)); // the same spot again
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centreOf(0));
    EXPECT_EQ(rows, (std::vector<int>{1, 1, 2, 0}));
}

TEST_F(ListClickWatcherTest, FocusFromTheKeyboardChoosesNothing) {
    // Qt makes the first line current when an untouched list gets the focus
    // from the keyboard; that must not count as choosing it.
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&list, &focus);
    EXPECT_TRUE(rows.empty());
}

TEST_F(ListClickWatcherTest, EmptyingTheListChoosesNothing) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centreOf(2));
    list.clear();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.back(), -1); // the handler sees no line and does nothing
}

TEST_F(ListClickWatcherTest, FocusAfterTheListIsFilledAgainChoosesNothing) {
    list.clear();
    list.addItems({"new first", "new second"});
    rows.clear();
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&list, &focus);
    EXPECT_TRUE(rows.empty());
}
