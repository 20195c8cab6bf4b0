#pragma once

#include "Clock.h"
#include "SpotView.h"

#include <QStringList>

// A clock standing still at a chosen UTC time of day.
class FixedClock : public Clock {
public:
    explicit FixedClock(QTime time) : time_(time) {}
    QTime utcTimeOfDay() const override { return time_; }
    double monotonicSeconds() const override { return 0.0; }
    void sleepFor(double) override {}

private:
    QTime time_;
};

// The window side of a refresh, kept as plain values.
class RecordingSpotView : public SpotView {
public:
    void showBusy(bool on) override { busyChanges.append(on); }
    void stopRefreshTimer() override { timerRunning = false; }
    void startRefreshTimer() override { timerRunning = true; }
    void showUpdateTime(const QString& caption) override { QTR = caption; }
    void clearSpotLines() override { lines.clear(); }
    void appendSpotLines(const QStringList& added) override { lines += added; }
    FilterChoices filterChoices() const override { return choices; }

    QList<bool> busyChanges;
    bool timerRunning = true;
    QString QTR;
    QStringList lines;
    FilterChoices choices;
};
