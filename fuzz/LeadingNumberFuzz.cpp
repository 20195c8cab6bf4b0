// The leading-number rule reads stored settings and prefix-file columns.
#include "LeadingNumber.h"

#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const double value = leadingNumber(text);
    if (!std::isfinite(value))
        std::abort();
    // Digits only ever come from the start of the text.
    if (value != 0.0 && !(text.startsWith(QLatin1Char('-')) || text.front().isDigit() ||
                          text.startsWith(QLatin1Char('.'))))
        std::abort();
    roundHalfEven(value);
    return 0;
}
