#pragma once

#include "Spot.h"

#include <QString>
#include <QStringView>
#include <deque>
#include <functional>
#include <vector>

// A spot as the band map holds it: the spot and when it was heard.
struct HeardOnBand {
    Spot spot;
    qint64 heardMs = 0;
};

// One entry of the map: the same call spotted within 1 kHz, merged; its
// latest spot (frequency, time, spotter, remark) and how many there were.
struct BandMapEntry {
    Spot latest;
    double kHz = 0;
    qint64 heardMs = 0;
    int count = 0;
};

// The spots the band map may show: every one heard in its longest age, of
// every band, so that a retune shows the new band's at once.
class BandMapSpots {
public:
    static constexpr double SameStationKHz = 1.0;
    // An hour of a contest on the Reverse Beacon Network.
    static constexpr std::size_t MostKept = 60'000;

    // Spots may come out of order (a node's list of its last ones).
    void add(const HeardOnBand& heard);
    // Forgets those heard over `keptMs` before `nowMs`.
    void expire(qint64 nowMs, qint64 keptMs);

    // The entries of the band (index in AmateurBands) at `nowMs`: its spots
    // heard within `keptMs` that `keep` keeps, merged, lowest frequency first.
    std::vector<BandMapEntry> entries(int band, qint64 nowMs, qint64 keptMs,
                                      const std::function<bool(const Spot&)>& keep) const;

    std::size_t size() const { return spots_.size(); }

private:
    // The frequency and band read once from the spot's text, not at every
    // redraw.
    struct Held {
        HeardOnBand heard;
        double kHz = 0;
        int band = -1;
    };
    std::deque<Held> spots_;
};

// How much an entry stands out with its age: whole for its first five
// minutes, then fading to 0.3 at the end of `keptMs`.
double freshness(qint64 ageMs, qint64 keptMs);

// The spotter's own call: without a skimmer's "-#" nor an SSID ("KM3T-2-#":
// "KM3T").
QString spotterCall(QStringView spotter);
// A spot of the Reverse Beacon Network: its spotter ends with "-#".
bool isSkimmerSpot(const Spot& spot);
// What a skimmer heard, from its remark ("CW 24 dB 22 WPM CQ": "24 dB 22 WPM").
QString skimmerStrength(QStringView remark);

// What a screen reader says of an entry: "14025.0 3Y0J ×2 Nouvelle entité
// 3 min"; no count for a single spot, no status text when none.
QString entryDescription(const BandMapEntry& entry, const QString& status, qint64 nowMs);
