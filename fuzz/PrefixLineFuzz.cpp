// A line of the prefix file beside the program, which a user may edit.
#include "CountryTable.h"

#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString line =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Fiche_Prefixe record = readPrefixRecord(line);
    if (!std::isfinite(record.latitude) || !std::isfinite(record.longitude))
        std::abort();
    if (record.prefix.size() > 6 || record.cqZone.size() > 2 || record.ituZone.size() > 2)
        std::abort();
    return 0;
}
