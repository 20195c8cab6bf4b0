// The band map's entries: one per station within 1 kHz, aged, of the band
// shown, as a screen reader reads them, never overlapping, chosen by a click
// or the keyboard.
#include "BandMapSpots.h"
#include "BandMapLayout.h"
#include "CarteBande.h"
#include "TestSpots.h"
#include "TestSupport.h"

#include <QtWidgets>

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

TEST(CarteBande, EntriesAreReadByNameNeverOverlapAndAClickOrEnterChoosesThem) {
    CarteBande map;
    map.resize(400, 500);
    map.Vue_Carte->setBand(14000, 14350);
    std::vector<BandMapView::Shown> shown;
    for (int n = 0; n < 30; ++n) {
        BandMapEntry entry{testSpot(QStringLiteral("K%1ABC").arg(n), "14025.0"), 14020.0 + n / 3.0,
                           0, 1 + n % 2};
        shown.push_back({entry, entryDescription(entry, "", 0), QColor(), 1.0, "F6XYZ"});
    }
    map.Vue_Carte->showEntries(shown);
    map.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&map));
    const std::vector<QToolButton*>& buttons = map.Vue_Carte->buttons();
    ASSERT_EQ(buttons.size(), 30U);
    EXPECT_EQ(buttons[1]->accessibleName(), "14020.3 K1ABC ×2 0 min");
    for (std::size_t i = 0; i < buttons.size(); ++i)
        for (std::size_t j = i + 1; j < buttons.size(); ++j)
            EXPECT_FALSE(buttons[i]->geometry().intersects(buttons[j]->geometry())) << i << j;

    QStringList chosen;
    QObject::connect(map.Vue_Carte, &BandMapView::entryChosen,
                     [&](const Spot& spot) { chosen.append(spot.call); });
    QTest::mouseClick(buttons[3], Qt::LeftButton);
    buttons[3]->setFocus();
    QTest::keyClick(buttons[3], Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(chosen, (QStringList{"K3ABC", "K4ABC"}));

    // Zoomed in, the radio's frequency stays in sight as it moves.
    map.Vue_Carte->setRadioKhz(14100.0);
    map.Vue_Carte->zoom(0.1);
    map.Vue_Carte->setRadioKhz(14300.0);
    EXPECT_TRUE(map.Vue_Carte->lowKhz() <= 14300 && map.Vue_Carte->highKhz() >= 14300);
    EXPECT_LT(map.Vue_Carte->highKhz() - map.Vue_Carte->lowKhz(), 40);
}
