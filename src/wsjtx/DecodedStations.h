#pragma once

#include "Spot.h"
#include "WsjtxMessages.h"

#include <QString>
#include <deque>

// The stations calling CQ that WSJT-X decoded lately, one entry each, newest
// first: a station decoded again moves up with its new time and report.
class DecodedStations {
public:
    // Eight FT8 periods.
    static constexpr qint64 KeptMs = 2 * 60 * 1000;
    // More than a band holds in two minutes: beyond, a flood.
    static constexpr std::size_t MostKept = 500;

    struct Station {
        Wsjtx::Decode decode;
        Spot spot;
        QString mode; // the instance's, "FT8"
        qint64 heardMs = 0;
    };

    void add(const Wsjtx::Decode& decode, Spot spot, const QString& mode, qint64 nowMs);
    // The instance's decodes were erased, or it closed: none can be called.
    void forgetInstance(const QString& id);
    // Drops the stations not heard for KeptMs; true when some went.
    bool expire(qint64 nowMs);

    const std::deque<Station>& stations() const { return stations_; }

private:
    std::deque<Station> stations_;
};

// The line of the "Décodages" window: time (HHMMSS), report in dB, audio
// offset in Hz, mode, call, country, what a contact would bring, message;
// each in a column of its own.
QString decodeLine(const DecodedStations::Station& station, const QString& country,
                   const QString& status);
