#include "HamlibModels.h"

#include <hamlib/rig.h>

namespace {

int collect(const rig_caps* caps, void* models) {
    static_cast<std::vector<HamlibModel>*>(models)->push_back(
        {static_cast<int>(caps->rig_model), QString::fromLatin1(caps->mfg_name) + QLatin1Char(' ') +
                                                QString::fromLatin1(caps->model_name)});
    return 1; // go on
}

} // namespace

std::vector<HamlibModel> hamlibModels() {
    rig_set_debug(RIG_DEBUG_NONE);
    rig_load_all_backends();
    std::vector<HamlibModel> models;
    rig_list_foreach(collect, &models);
    return models;
}
