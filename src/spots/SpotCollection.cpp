#include "SpotCollection.h"

#include "SpotTableReader.h"

int collectSpots(const QString& page, std::int16_t Mode_Tri, const FilterChoices& choices,
                 SortedSpotLines& Liste_Stations_Bis, const std::function<void()>& soundAlert,
                 const QSet<QString>& listed) {
    SpotTableReader table(page);
    Spot spot;
    int rows = 0;
    bool callsignSounded = false;
    bool remarkSounded = false;
    while (table.next(spot)) {
        ++rows;
        SpotVerdict verdict = judgeSpot(spot, choices);
        const QString shown = spotLine(spot);
        if (verdict.additions > 0) {
            const QString sorted = sortLine(spot, Mode_Tri);
            for (int i = 0; i < verdict.additions; ++i)
                Liste_Stations_Bis.add(sorted, shown);
        }
        if (listed.contains(listedKey(spot)))
            verdict.callsignAlert = verdict.remarkAlert = false;
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
