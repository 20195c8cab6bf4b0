#include "LeadingNumber.h"

#include <cmath>
#include <limits>

double leadingNumber(const QString& text) {
    qsizetype end = 0;
    if (end < text.size() && text[end] == QLatin1Char('-'))
        ++end;
    bool pointSeen = false;
    while (end < text.size()) {
        const QChar c = text[end];
        if (c == QLatin1Char('.') && !pointSeen) {
            pointSeen = true;
        } else if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            break;
        }
        ++end;
    }
    bool ok = false;
    const double value = text.left(end).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

long long roundHalfEven(double value) {
    if (!std::isfinite(value))
        return 0;
    const double rounded = std::nearbyint(value);
    // A stored text may hold any number of digits; converting one beyond the
    // range of the result is undefined, so it saturates instead.
    constexpr double Bound = 0x1p63;
    if (rounded >= Bound)
        return std::numeric_limits<long long>::max();
    if (rounded < -Bound)
        return std::numeric_limits<long long>::min();
    return static_cast<long long>(rounded);
}
