#include "AmateurBands.h"

#include "BandTable.h"

#include <array>

namespace AmateurBands {

namespace {

// The edges of each band in kHz, the widest of the three IARU regions, by
// band index 1 to 13.
struct BandEdges {
    std::int16_t Bande;
    double lowest;
    double highest;
};

constexpr std::array<BandEdges, 13> Edges{{
    {1, 1800, 2000},
    {2, 3500, 4000},
    {3, 7000, 7300},
    {4, 10100, 10150},
    {5, 14000, 14350},
    {6, 18068, 18168},
    {7, 21000, 21450},
    {8, 24890, 24990},
    {9, 28000, 29700},
    {10, 50000, 54000},
    {11, 69900, 70500},
    {12, 144000, 148000},
    {13, 420000, 450000},
}};

} // namespace

std::optional<std::int16_t> bandOf(double kHz) {
    for (const BandEdges& band : Edges) {
        if (kHz >= band.lowest && kHz <= band.highest)
            return band.Bande;
    }
    return std::nullopt;
}

std::int16_t wholeRangeOf(std::int16_t Bande) {
    return Bande <= LastHf ? AllHf : AllVhf;
}

QByteArray name(std::int16_t Bande) {
    if (Bande == AllHf)
        return "all HF bands";
    if (Bande == AllVhf)
        return "all VHF bands";
    return QByteArray(BandTable::page(Bande).token) + " MHz";
}

} // namespace AmateurBands
