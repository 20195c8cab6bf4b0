#pragma once

#include "HamlibModels.h"
#include "NetworkRig.h"

// What libpelk_hamlib.so exports, each by its name.
using MakeHamlibRig = NetworkRig*(int model, const QString& address);
constexpr const char* MakeHamlibRigName = "pelk_make_hamlib_rig";
using ListHamlibModels = void(std::vector<HamlibModel>& models);
constexpr const char* ListHamlibModelsName = "pelk_list_hamlib_models";
