#pragma once

class QRect;
class QWidget;

// Moves the window so that its frame lies inside area, first making it
// smaller (down to its minimum size) when it is larger than the area; what
// its minimum still does not let fit stays at the area's top left, so that
// the title and the menu bar can be reached.
void keepInside(QWidget& window, const QRect& area);

// Centres the window on the screen, moves it down by offsetDown pixels, then
// keeps it inside the available area.
void placeBelowCentre(QWidget& window, int offsetDown);
