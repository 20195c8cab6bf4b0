#pragma once

#include "Clock.h"
#include "MessageBox.h"
#include "SpotView.h"

#include <QStringList>

// A clock standing still at a chosen UTC time of day.
class FixedClock : public Clock {
public:
    explicit FixedClock(QTime time) : time_(time) {}
    void set(QTime time) { time_ = time; }
    QTime utcTimeOfDay() const override { return time_; }
    double monotonicSeconds() const override { return 0.0; }
    void sleepFor(double) override {}

private:
    QTime time_;
};

// Records the messages instead of showing them.
class RecordingMessageBox : public MessageBox {
public:
    void show(const QString& text) override { texts.append(text); }
    QStringList texts;
};

// The window side of a refresh, kept as plain values.
class RecordingSpotView : public SpotView {
public:
    void showBusy(bool on) override {
        busy = on;
        busyChanges.append(on);
    }
    void stopRefreshTimer() override { timerRunning = false; }
    void startRefreshTimer() override {
        timerRunning = true;
        ++timerStarts;
    }
    void showUpdateTime(const QString& caption) override { QTR = caption; }
    void clearSpotLines() override { lines.clear(); }
    void appendSpotLines(const QStringList& added) override { lines += added; }
    FilterChoices filterChoices() const override { return choices; }

    bool busy = false;
    QList<bool> busyChanges;
    bool timerRunning = true;
    int timerStarts = 0;
    QString QTR;
    QStringList lines;
    FilterChoices choices;
};
