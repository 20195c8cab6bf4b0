#include "TimeOfDay.h"

QString Heure_TU(const Clock& clock) {
    return clock.utcTimeOfDay().toString(QStringLiteral("HH:mm:ss"));
}

void Attente(Clock& clock, double Duree) {
    const double end = clock.monotonicSeconds() + Duree;
    // Sleep most of the way, then make sure the end reading is passed.
    for (double now = clock.monotonicSeconds(); now <= end; now = clock.monotonicSeconds())
        clock.sleepFor(end - now > 0.0005 ? end - now : 0.0002);
}
