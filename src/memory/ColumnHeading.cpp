#include "ColumnHeading.h"

#include "WindowGeometry.h"

#include <QListWidget>
#include <QPainter>

ColumnHeading::ColumnHeading(const QListWidget& list, std::vector<int> wordColumns, QWidget* parent)
    : QLabel(parent), list_(list), wordColumns_(std::move(wordColumns)) {
    setFont(list.font());
}

void ColumnHeading::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    // The list's first column, in this heading's coordinates.
    const int lineLeft = list_.mapTo(window(), QPoint(listTextLeft(list_), 0)).x() -
                         mapTo(window(), QPoint(0, 0)).x();
    const int baseline = (height() - metrics.height()) / 2 + metrics.ascent();
    const QStringList words = text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    int x = lineLeft;
    for (qsizetype i = 0; i < words.size(); ++i) {
        // A word without a column of its own follows the one before it.
        if (static_cast<std::size_t>(i) < wordColumns_.size())
            x = lineLeft + columnsWidth(list_, wordColumns_[static_cast<std::size_t>(i)]);
        painter.drawText(x, baseline, words[i]);
        x += metrics.horizontalAdvance(words[i] + QLatin1Char(' '));
    }
}
