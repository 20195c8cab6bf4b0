#include "DisplayPass.h"

#include <iterator>

QStringList displayPass(const SortedSpotLines& Liste_Stations_Bis, std::int16_t Mode_Tri) {
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(Liste_Stations_Bis.size()));
    if (Mode_Tri == 1) {
        for (auto it = std::make_reverse_iterator(Liste_Stations_Bis.end());
             it != std::make_reverse_iterator(Liste_Stations_Bis.begin()); ++it)
            lines.append(it->second.spotLine);
    } else {
        for (const auto& [key, entry] : Liste_Stations_Bis)
            lines.append(entry.spotLine);
    }
    return lines;
}
