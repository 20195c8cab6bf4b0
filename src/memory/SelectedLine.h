#pragma once

class QListWidget;
class QListWidgetItem;

// The line a user sees selected in a single-selection list: the current
// line, unless a Ctrl+click took the selection away; null when none.
QListWidgetItem* selectedLine(const QListWidget& list);
