#pragma once

#include "Clock.h"

// A clock whose time moves only when someone sleeps on it or advances it, so
// that waits can be checked exactly and take no real time.
class SimulatedClock : public Clock {
public:
    QTime utcTimeOfDay() const override { return QTime(0, 0); }
    double monotonicSeconds() const override { return now_; }
    void sleepFor(double seconds) override { now_ += seconds > 0 ? seconds : 0; }
    void advance(double seconds) { now_ += seconds; }

private:
    double now_ = 1000.0;
};
