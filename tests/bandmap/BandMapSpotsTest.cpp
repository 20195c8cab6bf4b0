// The band map's entries: one per station within 1 kHz, aged, of the band
// shown, as a screen reader reads them; their labels never overlapping.
#include "BandMapSpots.h"
#include "BandMapLayout.h"
#include "TestSpots.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

constexpr qint64 Minute = 60'000;
constexpr int Band20m = 5;

} // namespace

TEST(BandMapSpots, TheSameStationWithinAKilohertzIsOneEntryAgedOutWithItsLatestSpot) {
    BandMapSpots spots;
    const qint64 now = 100 * Minute;
    spots.add({testSpot("3Y0J", "14025.0", "CW", "DL1ABC"), now - 20 * Minute});
    spots.add({testSpot("3Y0J", "14025.9", "up 2", "KM3T-2-#"), now - 2 * Minute});
    // Out of order, as a node's list of its last spots comes.
    spots.add({testSpot("3Y0J", "14025.4", "CW", "W3LPL"), now - 10 * Minute});
    spots.add({testSpot("3Y0J", "14027.0"), now - 3 * Minute});
    spots.add({testSpot("K1ABC", "14074.0"), now - 31 * Minute});
    spots.add({testSpot("JA1ABC", "7012.0"), now - Minute});
    spots.add({testSpot("F5ABC", "14030.0"), now - Minute});
    const auto all = [](const Spot&) { return true; };
    QStringList read;
    for (const BandMapEntry& entry : spots.entries(Band20m, now, 30 * Minute, all))
        read.append(entryDescription(entry, entry.count > 1 ? "Nouvelle entité" : "", now) + " " +
                    entry.latest.spotter);
    EXPECT_EQ(read, (QStringList{"14025.9 3Y0J ×3 Nouvelle entité 2 min KM3T-2-#",
                                 "14027.0 3Y0J 3 min F6XYZ", "14030.0 F5ABC 1 min F6XYZ"}));
    EXPECT_EQ(spots
                  .entries(Band20m, now, 30 * Minute,
                           [](const Spot& spot) { return spot.call != "3Y0J"; })
                  .size(),
              1U);
    spots.expire(now, 30 * Minute);
    EXPECT_EQ(spots.size(), 6U);

    EXPECT_EQ(freshness(5 * Minute, 30 * Minute), 1.0);
    EXPECT_LT(freshness(20 * Minute, 30 * Minute), 1.0);
    EXPECT_DOUBLE_EQ(freshness(30 * Minute, 30 * Minute), 0.3);
    EXPECT_EQ(spotterCall(u"km3t-2-#"), "KM3T");
    EXPECT_EQ(spotterCall(u"F4ABC-7"), "F4ABC");
    EXPECT_EQ(skimmerStrength(u"CW 24 dB 22 WPM CQ"), "24 dB 22 WPM");
    EXPECT_EQ(skimmerStrength(u"FT8 -12 dB 1523 Hz"), "-12 dB");
}

TEST(BandMapLayout, LabelsStackBelowEachOtherThenInANewColumn) {
    const std::vector<LabelPlace> places = stackedLabels({0, 5, 40, 41, 95}, 20, 100);
    const std::vector<std::pair<int, int>> expected{{0, 0}, {0, 20}, {0, 40}, {0, 60}, {1, 95}};
    ASSERT_EQ(places.size(), expected.size());
    for (std::size_t i = 0; i < places.size(); ++i)
        EXPECT_EQ(std::pair(places[i].column, places[i].top), expected[i]) << i;
}
