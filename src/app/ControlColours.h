#pragma once

#include <QColor>

class QWidget;

// The light green of the sort button of the current order.
inline const QColor CurrentOrderColour(192, 255, 192);
// The light yellow of the spot list.
inline const QColor SpotListColour(255, 255, 192);

// Gives a button or a text field its background colour.
void setBackground(QWidget* widget, const QColor& colour);
