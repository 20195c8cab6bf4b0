#pragma once

#include "HeldQuestion.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <utility>
#include <vector>

// The spots the local spot server sends between two refreshes: when the
// pages that changed are those of the bands shown, the list is updated, two
// times a second at most, and never while a refresh fetches its pages.
class LiveSpotUpdates : public QObject {
    Q_OBJECT

public:
    static constexpr qint64 UpdateEveryMs = 500;

    struct Hooks {
        // The band indexes of Bande_CL and Bande_CL2 (0 there for none).
        std::function<std::pair<int, int>()> bandsShown;
        // Whether a refresh is fetching its pages.
        std::function<bool()> refreshing;
        // Updates the list from the pages as they are now.
        std::function<void()> update;
    };

    explicit LiveSpotUpdates(Hooks hooks);

    // Watches the local spot server on this loopback port; 0 stops watching.
    void watch(quint16 port);
    // No more updates: the window closes.
    void stop();

private:
    void bandsChanged(const std::vector<int>& bands);
    void run();

    Hooks hooks_;
    // An answer is a few hundred bytes.
    static constexpr qsizetype LongestAnswer = 64 * 1024;
    HeldQuestion changeWatcher_;
    QTimer updateDelay_;
    // The earliest the next update may run; expired until the first.
    QDeadlineTimer nextUpdate_;
};
