#include "SystemClock.h"

#include <QDateTime>
#include <chrono>
#include <thread>

QTime SystemClock::utcTimeOfDay() const {
    return QDateTime::currentDateTimeUtc().time();
}

double SystemClock::monotonicSeconds() const {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double>(now).count();
}

void SystemClock::sleepFor(double seconds) {
    if (seconds > 0)
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}
