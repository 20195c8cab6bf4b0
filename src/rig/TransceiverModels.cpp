#include "TransceiverModels.h"

#include "CatOpcodes.h"

const TransceiverModel* modelCaptioned(const QString& caption) {
    for (const TransceiverModel& model : TransceiverModels)
        if (caption == QLatin1String(model.caption))
            return &model;
    return nullptr;
}

bool isNetworkRig(const TransceiverModel& model) {
    return model.family == CatFamily::Rigctld || model.family == CatFamily::Flrig;
}

std::uint8_t modeCode(const TransceiverModel& model, SpotMode mode) {
    switch (mode) {
    case SpotMode::LowerSideband:
        return ModeLowerSideband;
    case SpotMode::UpperSideband:
        return ModeUpperSideband;
    case SpotMode::Cw:
        return model.cwCode;
    case SpotMode::Data:
        return model.dataCode != NoModeCode ? model.dataCode : ModeUpperSideband;
    }
    return ModeUpperSideband;
}
