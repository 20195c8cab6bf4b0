#include "ControlColours.h"

#include <QPalette>
#include <QWidget>

void setBackground(QWidget* widget, const QColor& colour) {
    // An unchanged colour keeps the palette, and the style's cached pictures.
    if (widget->palette().color(QPalette::Button) == colour &&
        widget->palette().color(QPalette::Base) == colour)
        return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Button, colour);
    widget->setPalette(palette);
}
