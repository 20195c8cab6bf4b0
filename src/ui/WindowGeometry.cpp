#include "WindowGeometry.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace {

// The first position from which length fits between low and high, or low.
int clampedStart(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high + 1 - length));
}

} // namespace

void keepInside(QWidget& window, const QRect& area) {
    if (area.isEmpty())
        return;
    const QSize frameExtra = window.frameGeometry().size() - window.size();
    const QSize fitted =
        window.size().boundedTo(area.size() - frameExtra).expandedTo(window.minimumSize());
    if (fitted != window.size())
        window.resize(fitted);
    const QRect frame = window.frameGeometry();
    window.move(clampedStart(frame.x(), frame.width(), area.left(), area.right()),
                clampedStart(frame.y(), frame.height(), area.top(), area.bottom()));
}

void placeBelowCentre(QWidget& window, int offsetDown) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect screenArea = screen->geometry();
    const QSize frame = window.frameGeometry().size();
    window.move(screenArea.x() + (screenArea.width() - frame.width()) / 2,
                screenArea.y() + (screenArea.height() - frame.height()) / 2 + offsetDown);
    keepInside(window, screen->availableGeometry());
}

void placeMainWindow(QWidget& window) {
    window.resize(window.sizeHint());
    placeBelowCentre(window, WindowOffsets::Durerur);
}

int listTextLeft(const QListWidget& list) {
    return list.frameWidth() +
           list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1;
}

int columnsWidth(const QListWidget& list, int n) {
    return list.fontMetrics().horizontalAdvance(QString(n, QLatin1Char(' ')));
}
