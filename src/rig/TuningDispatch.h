#pragma once

#include "SpotMode.h"

#include <QString>

class CatSequences;
class NetworkTuning;

// The ways a click reaches the radio.
struct TuningRigs {
    CatSequences& serial;
    NetworkTuning& rigctld;
    NetworkTuning& flrig;
};

// Tunes the transceiver to the selected spot, by the model whose caption is
// Emetteur_Choisi (whole text, case sensitive): the serial models run their
// family's sequence when a port is chosen (NumPort not 0); the network
// models tune whatever NumPort shows. Nothing happens for a caption that
// names no model.
void dispatchTuning(const QString& NumPort, const QString& Emetteur_Choisi, const TuningSpot& spot,
                    ModeRule rule, TuningRigs rigs);

// Whether a click would tune: a network model, or a port chosen.
bool tuningPossible(const QString& NumPort, const QString& Emetteur_Choisi);
