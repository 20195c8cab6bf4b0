#pragma once

class QWidget;

// Centres a window on the screen, then moves it down by offsetDown pixels.
void placeBelowCentre(QWidget& window, int offsetDown);
