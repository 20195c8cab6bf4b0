#include "LeadingNumber.h"

#include <cmath>

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
    return static_cast<long long>(std::nearbyint(value));
}
