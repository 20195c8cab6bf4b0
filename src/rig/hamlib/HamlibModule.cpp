#include "HamlibModule.h"

#include "HamlibModuleExports.h"

#include <mutex>

namespace {

// Makes the module's rig at its first use. It shares the module, since a
// tuning thread may outlive the window that asked for it.
class OnDemandHamlibRig : public NetworkRig {
public:
    OnDemandHamlibRig(std::shared_ptr<OnDemandModule> module, int model, QString address)
        : module_(std::move(module)), model_(model), address_(std::move(address)) {}

    Outcome tune(double hertz, std::optional<SpotMode> mode) override {
        if (!made())
            return {Failure::Unreachable, QStringLiteral("module ") + HamlibModule::ModuleName +
                                              QStringLiteral(" introuvable")};
        return rig_->tune(hertz, mode);
    }

    std::optional<double> frequency() override { return made() ? rig_->frequency() : std::nullopt; }

private:
    bool made() {
        std::call_once(made_, [this] {
            if (auto* make = module_->function<MakeHamlibRig>(MakeHamlibRigName))
                rig_.reset(make(model_, address_));
        });
        return rig_ != nullptr;
    }

    std::shared_ptr<OnDemandModule> module_;
    int model_;
    QString address_;
    std::once_flag made_;
    std::unique_ptr<NetworkRig> rig_;
};

} // namespace

const QString HamlibModule::ModuleName = QStringLiteral("libpelk_hamlib.so");

HamlibModule::HamlibModule(const QString& modulePath)
    : module_(std::make_shared<OnDemandModule>(modulePath)) {}

std::shared_ptr<NetworkRig> HamlibModule::rig(int model, const QString& address) {
    return std::make_shared<OnDemandHamlibRig>(module_, model, address);
}

std::vector<HamlibModel> HamlibModule::models() {
    std::vector<HamlibModel> models;
    if (auto* list = module_->function<ListHamlibModels>(ListHamlibModelsName))
        list(models);
    return models;
}
