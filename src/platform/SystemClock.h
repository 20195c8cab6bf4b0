#pragma once

#include "Clock.h"

// Clock over std::chrono.
class SystemClock : public Clock {
public:
    QTime utcTimeOfDay() const override;
    double monotonicSeconds() const override;
    void sleepFor(double seconds) override;
};
