#include "BandPlan.h"

#include <array>

namespace {

// kHz, lower edge included, upper edge excluded.
struct Segment {
    double from;
    double to;
};

// IARU Region 1 HF band plan (Vienna 2016, in force from 1 June 2016) and
// VHF/UHF band plan (2020): the segments whose first usage is CW.
constexpr std::array<Segment, 13> CwSegments{{
    {1810.0, 1838.0},
    {3500.0, 3570.0},
    {5351.5, 5354.0},
    {7000.0, 7040.0},
    {10100.0, 10130.0},
    {14000.0, 14070.0},
    {18068.0, 18095.0},
    {21000.0, 21070.0},
    {24890.0, 24915.0},
    {28000.0, 28070.0},
    {50000.0, 50100.0},
    {144000.0, 144110.0},
    {432000.0, 432100.0},
}};

// The dial frequencies WSJT-X proposes for FT8 and FT4 in Region 1, kHz.
constexpr std::array<double, 21> DigitalDials{{
    1840.0,  3573.0,  3575.0,  5357.0,  7047.5,  7074.0,  10136.0,
    10140.0, 14074.0, 14080.0, 18100.0, 18104.0, 21074.0, 21140.0,
    24915.0, 24919.0, 28074.0, 28180.0, 50313.0, 50318.0, 144174.0,
}};

constexpr double AudioPassband = 3.0;

double kilohertz(std::int32_t FreqWanted) {
    return FreqWanted / 100.0;
}

} // namespace

bool inCwSegment(std::int32_t FreqWanted) {
    const double khz = kilohertz(FreqWanted);
    for (const Segment& segment : CwSegments) {
        if (khz >= segment.from && khz < segment.to)
            return true;
    }
    return false;
}

bool onDigitalDialFrequency(std::int32_t FreqWanted) {
    const double khz = kilohertz(FreqWanted);
    for (double dial : DigitalDials) {
        if (khz >= dial && khz <= dial + AudioPassband)
            return true;
    }
    return false;
}
