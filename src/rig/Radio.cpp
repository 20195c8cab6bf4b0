#include "Radio.h"

#include "Configuration.h"
#include "HamlibRig.h"
#include "TransceiverModels.h"
#include "TuningDispatch.h"

Radio::Radio(SerialLink& serial, Clock& clock, MessageBox& messages, const QString& hamlibModule,
             const Configuration& config)
    : config_(config), cat_(serial, clock), hamlib_(hamlibModule),
      rigctld_(hamlib_.rig(HamlibRig::NetRigctlModel, config_.rigctld()), QStringLiteral("rigctld"),
               config_.rigctld(), messages),
      flrigBridge_(config_.flrig()),
      flrig_(hamlib_.rig(HamlibRig::NetRigctlModel, flrigBridge_.address()),
             QStringLiteral("flrig"), config_.flrig(), messages),
      localRigctld_(config_) {}

void Radio::tune(const QString& NumPort, const QString& transceiver, const TuningSpot& spot) {
    startRigctldIfChosen(transceiver);
    const TransceiverModel* model = modelCaptioned(transceiver);
    if (model != nullptr && model->family == CatFamily::Flrig)
        flrigBridge_.ensureRunning();
    dispatchTuning(NumPort, transceiver, spot, modeRuleNamed(config_.mode()),
                   {cat_, rigctld_, flrig_});
}

bool Radio::frequencyReadable(const QString& transceiver) const {
    const TransceiverModel* model = modelCaptioned(transceiver);
    return model != nullptr &&
           (model->family == CatFamily::Rigctld || model->family == CatFamily::Flrig);
}

void Radio::readFrequency(const QString& transceiver,
                          std::function<void(std::optional<double>)> done) {
    const TransceiverModel* model = modelCaptioned(transceiver);
    if (model == nullptr || !frequencyReadable(transceiver))
        return;
    // The rigctld the program runs for a radio is started by the choice of
    // the transceiver and by a tuning: one that ends at once would otherwise
    // be started again every second. The flrig bridge stays up even without
    // flrig, so it is started here once, as a tuning would.
    if (model->family == CatFamily::Flrig)
        flrigBridge_.ensureRunning();
    NetworkTuning& rig = model->family == CatFamily::Flrig ? flrig_ : rigctld_;
    rig.readFrequency([done = std::move(done)](std::optional<double> hertz) {
        done(hertz ? std::optional<double>(*hertz / 1000.0) : std::nullopt);
    });
}

void Radio::startRigctldIfChosen(const QString& transceiver) {
    const TransceiverModel* model = modelCaptioned(transceiver);
    if (model != nullptr && model->family == CatFamily::Rigctld)
        localRigctld_.ensureRunning();
}

void Radio::applyConfiguration() {
    rigctld_.retarget(hamlib_.rig(HamlibRig::NetRigctlModel, config_.rigctld()), config_.rigctld());
    flrigBridge_.retarget(config_.flrig());
    flrig_.retarget(hamlib_.rig(HamlibRig::NetRigctlModel, flrigBridge_.address()),
                    config_.flrig());
}
