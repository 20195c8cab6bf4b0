// libpelk_hamlib.so: the network rigs and the model list over libhamlib.
#include "HamlibModuleExports.h"
#include "HamlibRig.h"

#include <type_traits>

extern "C" NetworkRig* pelk_make_hamlib_rig(int model, const QString& address) {
    return new HamlibRig(model, address);
}

extern "C" void pelk_list_hamlib_models(std::vector<HamlibModel>& models) {
    models = hamlibModels();
}

static_assert(std::is_same_v<decltype(pelk_make_hamlib_rig), MakeHamlibRig>);
static_assert(std::is_same_v<decltype(pelk_list_hamlib_models), ListHamlibModels>);
