#pragma once

class QListWidget;

// The pixel geometry of the character columns of a list's lines, in its
// fixed-pitch font, for headings that must stand over them.

// Where a line's text starts, in the list's own coordinates: after the
// list's frame and the item's margin.
int listTextLeft(const QListWidget& list);

// The width of n characters of the list's font, measured whole: a character
// is not a whole number of pixels.
int columnsWidth(const QListWidget& list, int n);
