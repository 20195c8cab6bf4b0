#include "LiveSpotUpdates.h"

#include "RelayProtocol.h"

#include <algorithm>

LiveSpotUpdates::LiveSpotUpdates(Hooks hooks)
    : hooks_(std::move(hooks)), changeWatcher_(
                                    RelayProtocol::changesRequest,
                                    [this](const QByteArray& body) -> std::optional<quint64> {
                                        const std::optional<RelayProtocol::Changes> changes =
                                            RelayProtocol::decodeChanges(body);
                                        if (!changes)
                                            return std::nullopt;
                                        // The first answer too: a spot may have come between the
                                        // page shown and the question, or while the question was
                                        // held. At worst the shown pages are read once more.
                                        if (!changes->bands.empty())
                                            bandsChanged(changes->bands);
                                        return changes->sequence;
                                    },
                                    LongestAnswer) {
    updateDelay_.setSingleShot(true);
    connect(&updateDelay_, &QTimer::timeout, this, &LiveSpotUpdates::run);
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
