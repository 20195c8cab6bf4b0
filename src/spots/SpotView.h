#pragma once

#include "SpotFilters.h"

#include <QString>
#include <QStringList>

// What a spot refresh needs of the main window.
class SpotView {
public:
    virtual ~SpotView() = default;

    // Busy: Afficher disabled and Patientez shown, painted before returning,
    // since the retrieval that follows blocks the window.
    virtual void showBusy(bool busy) = 0;
    virtual void stopRefreshTimer() = 0;
    // Starts the one-minute count anew.
    virtual void startRefreshTimer() = 0;
    // The caption of QTR.
    virtual void showUpdateTime(const QString& caption) = 0;
    // Liste_Stations.
    virtual void clearSpotLines() = 0;
    virtual void appendSpotLines(const QStringList& lines) = 0;
    // Liste_Stations rebuilt by an update between two refreshes: the
    // selected line and the first visible one stay where they are.
    virtual void updateSpotLines(const QStringList& lines) = 0;
    // The status line: where the spots come from.
    virtual void showSourceStatus(const QString& text) = 0;
    // The filter and alert boxes and texts as they stand now.
    virtual FilterChoices filterChoices() const = 0;
};
