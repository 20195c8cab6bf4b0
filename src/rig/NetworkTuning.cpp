#include "NetworkTuning.h"

#include "FrequencyFormat.h"
#include "MessageBox.h"

#include <QCoreApplication>
#include <QThread>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// The remark of a spot line: column 50 to the end.
constexpr qsizetype RemarkStart = 49;
// How often the window is let paint while the rig is busy.
constexpr std::chrono::milliseconds PaintEvery{5};

} // namespace

// One tuning, shared by the window and the thread that runs it, so that a
// thread outliving its wait finds it still there.
struct NetworkTuning::Job {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    NetworkRig::Outcome outcome;
};

NetworkTuning::NetworkTuning(std::shared_ptr<NetworkRig> rig, QString name, QString address,
                             MessageBox& messages)
    : rig_(std::move(rig)), name_(std::move(name)), address_(std::move(address)),
      messages_(messages) {}

NetworkTuning::~NetworkTuning() = default;

void NetworkTuning::retarget(std::shared_ptr<NetworkRig> rig, QString address) {
    rig_ = std::move(rig);
    address_ = std::move(address);
    reportNextFailure_ = true;
}

void NetworkTuning::tune(const QString& Ligne_Selection, ModeRule rule) {
    const std::optional<std::int32_t> FreqWanted = Format_QRG(qrgField(Ligne_Selection));
    if (!FreqWanted)
        return;
    if (running_) {
        const std::lock_guard lock(running_->mutex);
        if (!running_->done)
            return; // the rig has not answered the last click yet
    }
    const std::optional<SpotMode> mode =
        spotMode(rule, *FreqWanted, QStringView(Ligne_Selection).mid(RemarkStart));
    const double hertz = *FreqWanted * 10.0;

    auto job = std::make_shared<Job>();
    running_ = job;
    std::thread([job, rig = rig_, hertz, mode] {
        NetworkRig::Outcome outcome = rig->tune(hertz, mode);
        const std::lock_guard lock(job->mutex);
        job->outcome = std::move(outcome);
        job->done = true;
        job->finished.notify_all();
    }).detach();

    const auto deadline = std::chrono::steady_clock::now() + TimeLimit;
    std::unique_lock lock(job->mutex);
    while (!job->done && std::chrono::steady_clock::now() < deadline) {
        lock.unlock();
        if (QCoreApplication::instance() != nullptr)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        lock.lock();
        job->finished.wait_for(lock, PaintEvery, [&job] { return job->done; });
    }
    const NetworkRig::Outcome outcome =
        job->done ? job->outcome : NetworkRig::Outcome{NetworkRig::Failure::Unreachable, QString()};
    lock.unlock();
    report(outcome);
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
