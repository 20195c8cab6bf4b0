#pragma once

#include "Spot.h"

// A spot as the tests build it: its call, then what a test looks at.
inline Spot testSpot(const QString& call, const QString& frequency = QStringLiteral("14025.0"),
                     const QString& remark = QString(),
                     const QString& spotter = QStringLiteral("F6XYZ"),
                     const QString& time = QStringLiteral("06 DEC 14:05Z")) {
    return Spot{call, frequency, time, spotter, remark, SpotSource::Page};
}
