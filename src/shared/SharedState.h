#pragma once

#include <QString>
#include <cstdint>

// State shared by the windows for the whole run. The application owns one
// instance and hands it to every window.
struct SharedState {
    // A sort button or filter box may start a refresh.
    bool Page_Prete = true;
    // Sort field: 1 date, 2 DX, 3 frequency.
    std::int16_t Mode_Tri = 1;
    // The spot line last selected or memorised.
    QString Ligne_Selection;
    // Own position as signed decimal degrees, north and east positive.
    QString Latitude_Station;
    QString Longitude_Station;
    // Caption of the chosen transceiver model.
    QString Emetteur_Choisi;
    QString Texte_Revision;
    QString Texte_Historique;
};
