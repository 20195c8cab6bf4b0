#include "LiveSpotUpdates.h"

#include <algorithm>

LiveSpotUpdates::LiveSpotUpdates(Hooks hooks) : hooks_(std::move(hooks)) {
    updateDelay_.setSingleShot(true);
    connect(&updateDelay_, &QTimer::timeout, this, &LiveSpotUpdates::run);
    connect(&changeWatcher_, &SpotChangeWatcher::bandsChanged, this,
            &LiveSpotUpdates::bandsChanged);
}

void LiveSpotUpdates::watch(quint16 port) {
    changeWatcher_.watch(port);
}

void LiveSpotUpdates::stop() {
    updateDelay_.stop();
    changeWatcher_.watch(0);
}

void LiveSpotUpdates::bandsChanged(const std::vector<int>& bands) {
    const auto shown = [&](int band) {
        return std::find(bands.begin(), bands.end(), band) != bands.end();
    };
    const auto [first, second] = hooks_.bandsShown();
    if (!shown(first) && !(second != 0 && shown(second)))
        return;
    // A storm of spots makes two updates a second at most.
    if (!updateDelay_.isActive())
        updateDelay_.start(std::chrono::milliseconds(nextUpdate_.remainingTime()));
}

void LiveSpotUpdates::run() {
    // A refresh under way shows the new spots itself.
    if (hooks_.refreshing()) {
        updateDelay_.start(UpdateEveryMs);
        return;
    }
    // Counted from its start: changes told during its fetch wait their turn.
    nextUpdate_.setRemainingTime(UpdateEveryMs);
    hooks_.update();
}
