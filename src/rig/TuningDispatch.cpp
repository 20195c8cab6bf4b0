#include "TuningDispatch.h"

#include "CatSequences.h"
#include "LeadingNumber.h"
#include "NetworkTuning.h"
#include "TransceiverModels.h"

namespace {

// The remark of a spot line: column 50 to the end.
constexpr qsizetype RemarkStart = 49;

} // namespace

bool tuningPossible(const QString& NumPort, const QString& Emetteur_Choisi) {
    const TransceiverModel* model = modelCaptioned(Emetteur_Choisi);
    return model != nullptr && (isNetworkRig(*model) || leadingNumber(NumPort) != 0);
}

void dispatchTuning(const QString& NumPort, const QString& Emetteur_Choisi,
                    const QString& Ligne_Selection, ModeRule rule, TuningRigs rigs) {
    if (!tuningPossible(NumPort, Emetteur_Choisi))
        return;
    const TransceiverModel& model = *modelCaptioned(Emetteur_Choisi);
    const QStringView remark = QStringView(Ligne_Selection).mid(RemarkStart);
    const CatSequences::ModeCodeFor modeFor =
        [&model, rule, remark](std::int32_t FreqWanted) -> std::optional<std::uint8_t> {
        const std::optional<SpotMode> mode = spotMode(rule, FreqWanted, remark);
        if (!mode)
            return std::nullopt;
        return modeCode(model, *mode);
    };
    switch (model.family) {
    case CatFamily::Yaesu:
        rigs.serial.Yaesu(Ligne_Selection, modeFor);
        break;
    case CatFamily::Yaesu1:
        rigs.serial.Yaesu1(Ligne_Selection, modeFor);
        break;
    case CatFamily::Icom:
        rigs.serial.Icom(model.civAddress, Ligne_Selection, modeFor);
        break;
    case CatFamily::Rigctld:
        rigs.rigctld.tune(Ligne_Selection, rule);
        break;
    case CatFamily::Flrig:
        rigs.flrig.tune(Ligne_Selection, rule);
        break;
    }
}
