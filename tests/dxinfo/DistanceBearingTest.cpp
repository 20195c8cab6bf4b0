#include "DistanceBearing.h"

#include <gtest/gtest.h>

TEST(DistanceAzimut, FromTheOwnStation) {
    const double cases[][4] = {
        {-33.87, 151.21, 16976, 69}, // Sydney
        {38.9, -77.04, 6176, 291},   // Washington: not the flat-map 263
        {60.0, -10.0, 1500, 332},    // north-west: a number, not negative
        {40.0, 2.31, 947, 180},      {48.52, 2.31, 0, 0},
    };
    for (const auto& [latitude, longitude, distance, bearing] : cases) {
        const DistanceAndBearing way = Distance_Azimut(48.52, 2.31, latitude, longitude);
        EXPECT_EQ(std::pair(way.distance, way.bearing), std::pair(distance, bearing)) << latitude;
    }
    // At 79.1 N the cosine sum of a point with itself comes out just above 1.
    EXPECT_EQ(Distance_Azimut(79.1, -85.39, 79.1, -85.39).distance, 0);
}
