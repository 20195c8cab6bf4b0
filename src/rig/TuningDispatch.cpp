#include "TuningDispatch.h"

#include "CatSequences.h"
#include "LeadingNumber.h"
#include "TransceiverModels.h"

namespace {

const TransceiverModel* modelCaptioned(const QString& caption) {
    for (const TransceiverModel& model : TransceiverModels)
        if (caption == QLatin1String(model.caption))
            return &model;
    return nullptr;
}

} // namespace

void dispatchTuning(const QString& NumPort, const QString& Emetteur_Choisi,
                    const QString& Ligne_Selection, CatSequences& sequences) {
    if (leadingNumber(NumPort) == 0)
        return;
    const TransceiverModel* model = modelCaptioned(Emetteur_Choisi);
    if (model == nullptr)
        return;
    switch (model->family) {
    case CatFamily::Yaesu:
        sequences.Yaesu(Ligne_Selection);
        break;
    case CatFamily::Yaesu1:
        sequences.Yaesu1(Ligne_Selection);
        break;
    case CatFamily::Icom:
        sequences.Icom(model->civAddress, Ligne_Selection);
        break;
    }
}
