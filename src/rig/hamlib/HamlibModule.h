#pragma once

#include "HamlibModels.h"
#include "NetworkRig.h"
#include "OnDemandModule.h"

#include <memory>

// libhamlib, through libpelk_hamlib.so beside the program, loaded at the
// first Hamlib tuning or model list: most stations tune through the
// program's own CAT frames and never need it.
class HamlibModule {
public:
    static const QString ModuleName;

    explicit HamlibModule(const QString& modulePath);

    // A rig (HamlibRig's models) that loads the module at its first tuning;
    // it cannot reach its daemon when the module cannot be loaded.
    std::shared_ptr<NetworkRig> rig(int model, const QString& address);
    // Hamlib's models; none when the module cannot be loaded.
    std::vector<HamlibModel> models();

private:
    std::shared_ptr<OnDemandModule> module_;
};
