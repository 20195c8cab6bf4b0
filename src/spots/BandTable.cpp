#include "BandTable.h"

#include <array>

namespace {

constexpr const char* WholeRange = ".html";
constexpr const char* OneBand = "_MHz.html";

// Index: "All HF", "1.8 Mhz", ..., "432 Mhz", "All VHF".
constexpr std::array<BandPage, BandTable::Count> Pages{{
    {"HF", WholeRange},
    {"1.8", OneBand},
    {"3.5", OneBand},
    {"7", OneBand},
    {"10", OneBand},
    {"14", OneBand},
    {"18", OneBand},
    {"21", OneBand},
    {"24", OneBand},
    {"28", OneBand},
    {"50", OneBand},
    {"70", OneBand},
    {"144", OneBand},
    {"430", OneBand},
    {"VHF", WholeRange},
}};

} // namespace

BandPage BandTable::page(std::int16_t Bande) {
    if (Bande < 0 || Bande >= Count)
        return {"", OneBand};
    return Pages[static_cast<std::size_t>(Bande)];
}

QString BandTable::pagePath(std::int16_t Bande) {
    const BandPage band = page(Bande);
    return QStringLiteral("/dxc/top_50_") + QLatin1String(band.token) + QLatin1String(band.ending);
}

QString BandTable::pageAddress(const QString& siteBase, std::int16_t Bande) {
    return siteBase + pagePath(Bande);
}
