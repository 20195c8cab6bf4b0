// Station coordinates come from the settings store and the operator's typing.
#include "CoordinateText.h"
#include "LeadingNumber.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString latitude = latitudeToSigned(text);
    const QString longitude = longitudeToSigned(text);
    // One character goes, and at most a minus sign comes.
    if (!text.isEmpty() && (latitude.size() > text.size() || longitude.size() > text.size()))
        std::abort();
    leadingNumber(latitude);
    leadingNumber(longitude);
    return 0;
}
