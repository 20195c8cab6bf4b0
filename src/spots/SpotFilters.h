#pragma once

#include "Spot.h"

#include <QString>
#include <functional>

// The filter and alert boxes and texts of the main window, as they stand when
// a page is decoded.
struct FilterChoices {
    bool Check1 = false; // French stations
    bool Check2 = false; // prefix or callsign in Indicatif
    bool Check3 = false; // alerts on
    bool Check4 = false; // remark text in Remarque
    QString Indicatif;
    QString Remarque;
    // "Nouveaux seulement", with a log: spots a contact would bring something.
    bool neededOnly = false;
    std::function<bool(const Spot&)> isNeeded;
};

// What the filters and alerts make of one row: how many times its sort line
// goes into the sorted list (once per passing filter, or once when no filter
// is checked) and which of the two alerts it meets.
struct SpotVerdict {
    int additions = 0;
    bool callsignAlert = false;
    bool remarkAlert = false;
};

// A callsign starting with "F" or with one of the other French prefixes.
bool isFrenchStation(const QString& DX);

SpotVerdict judgeSpot(const Spot& spot, const FilterChoices& choices);
