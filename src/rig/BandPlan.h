#pragma once

#include <cstdint>

// Where the IARU Region 1 band plan puts telegraphy, and where the usual
// FT8 and FT4 dial frequencies lie. Frequencies in 10 Hz units (FreqWanted).

// Inside a segment the band plan gives to CW (alone or first).
bool inCwSegment(std::int32_t FreqWanted);

// Within the 3 kHz audio passband above a usual FT8 or FT4 dial frequency,
// where the spotted signals of those modes lie.
bool onDigitalDialFrequency(std::int32_t FreqWanted);
