#include "BandTable.h"

namespace {

constexpr const char* WholeRange = ".html";
constexpr const char* OneBand = "_MHz.html";

constexpr std::array<BandPage, BandTable::Count> Pages{{
    {"HF", WholeRange, "All HF"},
    {"1.8", OneBand, "1.8 Mhz"},
    {"3.5", OneBand, "3.5 Mhz"},
    {"7", OneBand, "7.0 Mhz"},
    {"10", OneBand, "10 Mhz"},
    {"14", OneBand, "14 Mhz"},
    {"18", OneBand, "18 Mhz"},
    {"21", OneBand, "21 Mhz"},
    {"24", OneBand, "24 Mhz"},
    {"28", OneBand, "28 Mhz"},
    {"50", OneBand, "50 Mhz"},
    {"70", OneBand, "70 Mhz"},
    {"144", OneBand, "144 Mhz"},
    {"430", OneBand, "432 Mhz"},
    {"VHF", WholeRange, "All VHF"},
}};

} // namespace

std::optional<int> amateurBandOfKhz(double khz) {
    for (int i = 0; i < int(AmateurBands.size()); ++i) {
        if (khz >= AmateurBands[i].lowKhz && khz <= AmateurBands[i].highKhz)
            return i;
    }
    return std::nullopt;
}

BandPage BandTable::page(std::int16_t Bande) {
    if (Bande < 0 || Bande >= Count)
        return {"", OneBand, ""};
    return Pages[static_cast<std::size_t>(Bande)];
}

QString BandTable::pagePath(std::int16_t Bande) {
    const BandPage band = page(Bande);
    return QStringLiteral("/dxc/top_50_") + QLatin1String(band.token) + QLatin1String(band.ending);
}

QString BandTable::pageAddress(const QString& siteBase, std::int16_t Bande) {
    return siteBase + pagePath(Bande);
}

QStringList BandTable::captions() {
    QStringList captions;
    for (const BandPage& band : Pages)
        captions.append(QLatin1String(band.caption));
    return captions;
}

std::optional<std::int16_t> BandTable::pageOfKhz(double khz) {
    const std::optional<int> band = amateurBandOfKhz(khz);
    if (!band || AmateurBands[std::size_t(*band)].page < 0)
        return std::nullopt;
    return AmateurBands[std::size_t(*band)].page;
}

std::int16_t BandTable::wholeRangeOf(std::int16_t Bande) {
    return Bande <= LastHf ? AllHf : AllVhf;
}

QByteArray BandTable::name(std::int16_t Bande) {
    if (Bande == AllHf)
        return "all HF bands";
    if (Bande == AllVhf)
        return "all VHF bands";
    return QByteArray(page(Bande).token) + " MHz";
}
