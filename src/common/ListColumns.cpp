#include "ListColumns.h"

#include <QListWidget>
#include <QStyle>

int listTextLeft(const QListWidget& list) {
    return list.frameWidth() +
           list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1;
}

int columnsWidth(const QListWidget& list, int n) {
    return list.fontMetrics().horizontalAdvance(QString(n, QLatin1Char(' ')));
}
