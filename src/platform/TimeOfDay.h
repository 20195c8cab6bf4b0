#pragma once

#include "Clock.h"

#include <QString>

// The UTC time of day as "hh:mm:ss".
QString Heure_TU(const Clock& clock);

// Waits Duree seconds on the monotonic clock, handling no event meanwhile.
void Attente(Clock& clock, double Duree);
