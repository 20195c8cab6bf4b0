#pragma once

#include "Clock.h"
#include "SerialLink.h"

#include <QByteArray>
#include <QList>
#include <functional>

// A serial link that keeps, with the clock's reading, every write and the end
// of every drain. A drain takes `drainSeconds` of the clock, as the bytes
// would on the wire, and can run a hook meanwhile.
class RecordingLink : public SerialLink {
public:
    struct Event {
        enum Kind { Discard, Write, DrainEnd } kind;
        QByteArray bytes;
        double time;
    };

    RecordingLink(Clock& clock, double drainSeconds) : clock_(clock), drainSeconds_(drainSeconds) {}

    void setPortNumber(int number) override { number_ = number; }
    int portNumber() const override { return number_; }
    void setSettings(const QString& settings) override { settings_ = settings; }
    QString settings() const override { return settings_; }
    void setRawMode() override {}
    bool open() override { return open_ = true; }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    void discardInput() override { record(Event::Discard, {}); }
    void write(const QByteArray& bytes) override { record(Event::Write, bytes); }
    bool drain(int) override {
        if (onDrain)
            onDrain();
        clock_.sleepFor(drainSeconds_);
        record(Event::DrainEnd, {});
        return true;
    }

    QList<QByteArray> writes() const {
        QList<QByteArray> out;
        for (const Event& event : events)
            if (event.kind == Event::Write)
                out.append(event.bytes);
        return out;
    }

    QList<Event> events;
    std::function<void()> onDrain;

private:
    void record(Event::Kind kind, const QByteArray& bytes) {
        events.append({kind, bytes, clock_.monotonicSeconds()});
    }

    Clock& clock_;
    double drainSeconds_;
    bool open_ = false;
    int number_ = 0;
    QString settings_;
};
