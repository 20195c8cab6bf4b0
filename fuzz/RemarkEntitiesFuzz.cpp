// The remark of a spot comes from the web page and its character references are decoded.
#include "RemarkEntities.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString remark =
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString decoded = decodeRemarkEntities(remark);
    // Decoding never makes a remark longer.
    if (decoded.size() > remark.size())
        std::abort();
    if (!remark.contains(QLatin1Char('&')) && decoded != remark)
        std::abort();
    return 0;
}
