#include "SpotCollection.h"

#include "SpotTableReader.h"

int collectSpots(const QString& page, std::int16_t Mode_Tri, const FilterChoices& choices,
                 SortedSpotLines& Liste_Stations_Bis, const std::function<void()>& soundAlert) {
    SpotTableReader table(page);
    SpotRow row;
    int rows = 0;
    bool callsignSounded = false;
    bool remarkSounded = false;
    while (table.next(row)) {
        ++rows;
        const SpotVerdict verdict = judgeSpot(row, choices);
        if (verdict.additions > 0) {
            const QString sorted = sortLine(row, Mode_Tri);
            const QString shown = spotLine(row);
            for (int i = 0; i < verdict.additions; ++i)
                Liste_Stations_Bis.add(sorted, shown);
        }
        if (verdict.callsignAlert && !callsignSounded) {
            callsignSounded = true;
            soundAlert();
        }
        if (verdict.remarkAlert && !remarkSounded) {
            remarkSounded = true;
            soundAlert();
        }
    }
    return rows;
}
