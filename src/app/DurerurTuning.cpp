#include "Durerur.h"

#include "TuningDispatch.h"

#include <QLabel>

void Durerur::tuneSelectedSpot() {
    dispatchTuning(NumPort->text(), state_.Emetteur_Choisi, state_.Ligne_Selection, cat_);
}
