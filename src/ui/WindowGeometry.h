#pragma once

class QListWidget;
class QRect;
class QWidget;

// Where windows open and how their pieces line up: every placement rule of
// the program's windows lives here.

// Moves the window so that its frame lies inside area, first making it
// smaller (down to its minimum size) when it is larger than the area; what
// its minimum still does not let fit stays at the area's top left, so that
// the title and the menu bar can be reached.
void keepInside(QWidget& window, const QRect& area);

// How far below the screen's centre each window opens, in pixels (twips / 15).
namespace WindowOffsets {
constexpr int Durerur = 0;
constexpr int Station = 0;
constexpr int Reglages = 0;
constexpr int Memoire_CL = 120; // 1800 twips
constexpr int QRZ_Web = 180;    // 2700 twips
constexpr int Decodages = 60;
constexpr int CarteBande = 90;
} // namespace WindowOffsets

// Centres the window on the screen, moves it down by offsetDown pixels, then
// keeps it inside the available area.
void placeBelowCentre(QWidget& window, int offsetDown);

// The main window: at its natural size when the available area holds it,
// else the largest that fits; centred, inside that area.
void placeMainWindow(QWidget& window);

// The pixel geometry of the character columns of a list's lines, in its
// fixed-pitch font, for headings that must stand over them.

// Where a line's text starts, in the list's own coordinates: after the
// list's frame and the item's margin.
int listTextLeft(const QListWidget& list);

// The width of n characters of the list's font, measured whole: a character
// is not a whole number of pixels.
int columnsWidth(const QListWidget& list, int n);
