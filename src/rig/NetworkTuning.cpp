#include "NetworkTuning.h"

#include "FrequencyFormat.h"
#include "MessageBox.h"
#include "WhileWindowPaints.h"

#include <QCoreApplication>
#include <thread>

NetworkTuning::NetworkTuning(std::shared_ptr<NetworkRig> rig, QString name, QString address,
                             MessageBox& messages)
    : rig_(std::move(rig)), name_(std::move(name)), address_(std::move(address)),
      messages_(messages) {}

NetworkTuning::~NetworkTuning() {
    *alive_ = false;
}

void NetworkTuning::retarget(std::shared_ptr<NetworkRig> rig, QString address) {
    rig_ = std::move(rig);
    address_ = std::move(address);
    reportNextFailure_ = true;
}

void NetworkTuning::tune(const TuningSpot& spot, ModeRule rule) {
    const std::optional<std::int32_t> FreqWanted = Format_QRG(spot.QRG);
    if (!FreqWanted)
        return;
    if (use_->tuning)
        return; // the rig has not answered the last click yet
    const std::optional<SpotMode> mode = spotMode(rule, *FreqWanted, spot.remark);
    const double hertz = *FreqWanted * 10.0;

    use_->tuning = true;
    const std::optional<NetworkRig::Outcome> outcome =
        WhileWindowPaints::result<NetworkRig::Outcome>(
            [use = use_, rig = rig_, hertz, mode] {
                NetworkRig::Outcome outcome;
                {
                    const std::lock_guard<std::mutex> link(use->link);
                    outcome = rig->tune(hertz, mode);
                }
                use->tuning = false;
                return outcome;
            },
            TimeLimit);
    report(outcome.value_or(NetworkRig::Outcome{NetworkRig::Failure::Unreachable, QString()}));
}

void NetworkTuning::readFrequency(std::function<void(std::optional<double>)> done) {
    if (use_->tuning || use_->reading.exchange(true))
        return;
    std::thread([use = use_, rig = rig_, alive = alive_, done = std::move(done)] {
        std::optional<double> hertz;
        {
            const std::lock_guard<std::mutex> link(use->link);
            hertz = rig->frequency();
        }
        use->reading = false;
        QMetaObject::invokeMethod(QCoreApplication::instance(), [alive, done, hertz] {
            if (*alive)
                done(hertz);
        });
    }).detach();
}

void NetworkTuning::report(const NetworkRig::Outcome& outcome) {
    if (outcome.failure == NetworkRig::Failure::None) {
        reportNextFailure_ = true;
        return;
    }
    if (!reportNextFailure_)
        return;
    reportNextFailure_ = false;
    QString text =
        outcome.failure == NetworkRig::Failure::Unreachable
            ? name_ + QStringLiteral(" ne répond pas sur ") + address_
            : name_ + QStringLiteral(" sur ") + address_ + QStringLiteral(" refuse la commande");
    if (!outcome.reason.isEmpty())
        text += QStringLiteral(" : ") + outcome.reason;
    messages_.show(text);
}
