#include "Durerur.h"

#include "TransceiverModels.h"
#include "TuningDispatch.h"

#include <QLabel>

void Durerur::tuneSelectedSpot() {
    startRigctldIfChosen();
    const TransceiverModel* model = modelCaptioned(state_.Emetteur_Choisi);
    if (model != nullptr && model->family == CatFamily::Flrig)
        flrigBridge_.ensureRunning();
    const Spot spot = spotOfLine(state_.Ligne_Selection);
    dispatchTuning(NumPort->text(), state_.Emetteur_Choisi, {spot.frequency, spot.remark},
                   modeRuleNamed(config_.mode()), {cat_, rigctld_, flrig_});
}

void Durerur::startRigctldIfChosen() {
    const TransceiverModel* model = modelCaptioned(state_.Emetteur_Choisi);
    if (model != nullptr && model->family == CatFamily::Rigctld)
        localRigctld_.ensureRunning();
}
