#include "TuningDispatch.h"

#include "CatSequences.h"
#include "LeadingNumber.h"
#include "NetworkTuning.h"
#include "TransceiverModels.h"

bool tuningPossible(const QString& NumPort, const QString& Emetteur_Choisi) {
    const TransceiverModel* model = modelCaptioned(Emetteur_Choisi);
    return model != nullptr && (isNetworkRig(*model) || leadingNumber(NumPort) != 0);
}

void dispatchTuning(const QString& NumPort, const QString& Emetteur_Choisi, const TuningSpot& spot,
                    ModeRule rule, TuningRigs rigs) {
    if (!tuningPossible(NumPort, Emetteur_Choisi))
        return;
    const TransceiverModel& model = *modelCaptioned(Emetteur_Choisi);
    const QStringView remark = spot.remark;
    const CatSequences::ModeCodeFor modeFor =
        [&model, rule, remark](std::int32_t FreqWanted) -> std::optional<std::uint8_t> {
        const std::optional<SpotMode> mode = spotMode(rule, FreqWanted, remark);
        if (!mode)
            return std::nullopt;
        return modeCode(model, *mode);
    };
    switch (model.family) {
    case CatFamily::Yaesu:
        rigs.serial.Yaesu(spot.QRG, modeFor);
        break;
    case CatFamily::Yaesu1:
        rigs.serial.Yaesu1(spot.QRG, modeFor);
        break;
    case CatFamily::Icom:
        rigs.serial.Icom(model.civAddress, spot.QRG, modeFor);
        break;
    case CatFamily::Rigctld:
        rigs.rigctld.tune(spot, rule);
        break;
    case CatFamily::Flrig:
        rigs.flrig.tune(spot, rule);
        break;
    }
}
