#include "SpotCollection.h"

#include "SpotTableReader.h"

QString listedKey(const SpotRow& spot) {
    // A station spotted again on its frequency is no news.
    return spot.DX + QLatin1Char(' ') + spot.QRG;
}

int collectSpots(const QString& page, std::int16_t Mode_Tri, const FilterChoices& choices,
                 SortedSpotLines& Liste_Stations_Bis, const std::function<void()>& soundAlert,
                 const QSet<QString>& listed) {
    SpotTableReader table(page);
    SpotRow row;
    int rows = 0;
    bool callsignSounded = false;
    bool remarkSounded = false;
    while (table.next(row)) {
        ++rows;
        SpotVerdict verdict = judgeSpot(row, choices);
        const QString shown = spotLine(row);
        if (verdict.additions > 0) {
            const QString sorted = sortLine(row, Mode_Tri);
            for (int i = 0; i < verdict.additions; ++i)
                Liste_Stations_Bis.add(sorted, shown);
        }
        if (listed.contains(listedKey(row)))
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
