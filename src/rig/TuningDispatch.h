#pragma once

#include <QString>

class CatSequences;

// Tunes the transceiver to the selected spot: runs the tuning sequence of the
// family of the model whose caption is Emetteur_Choisi (whole text, case
// sensitive). Nothing happens when NumPort reads as 0 (no port chosen) or the
// caption names no model.
void dispatchTuning(const QString& NumPort, const QString& Emetteur_Choisi,
                    const QString& Ligne_Selection, CatSequences& sequences);
