#pragma once

#include <QTime>

// The clocks the program reads: the UTC time of day, and a monotonic seconds
// counter for the waits between transceiver commands.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QTime utcTimeOfDay() const = 0;
    // Seconds since an arbitrary origin; never goes back.
    virtual double monotonicSeconds() const = 0;
    // Blocks the calling thread, handling no event, for the given seconds.
    virtual void sleepFor(double seconds) = 0;
};
