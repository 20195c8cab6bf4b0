#include "DistanceBearing.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    double latitude;
    double longitude;
    double distance;
    double bearing;
};

// Own station 48.52 N, 2.31 E.
constexpr double OwnLatitude = 48.52;
constexpr double OwnLongitude = 2.31;

} // namespace

TEST(DistanceAzimut, DistanceAndGreatCircleCourseFromTheOwnStation) {
    const Case cases[] = {
        {-33.87, 151.21, 16976, 69}, // Sydney
        {38.9, -77.04, 6176, 291},   // Washington: not the flat-map 263
        {48.52, 10.0, 566, 87},
        {48.52, -10.0, 905, 274},
        {60.0, -10.0, 1500, 332}, // north-west: a number, no longer negative
        {55.0, 2.31, 720, 0},
        {40.0, 2.31, 947, 180},
        {OwnLatitude, OwnLongitude, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.latitude << ", " << c.longitude);
        const DistanceAndBearing way =
            Distance_Azimut(OwnLatitude, OwnLongitude, c.latitude, c.longitude);
        EXPECT_EQ(way.distance, c.distance);
        EXPECT_EQ(way.bearing, c.bearing);
    }
}

TEST(DistanceAzimut, CardinalCoursesAndAntipodes) {
    EXPECT_EQ(Distance_Azimut(0, 0, 0, 10).bearing, 90);
    EXPECT_EQ(Distance_Azimut(0, 0, 0, -10).bearing, 270);
    EXPECT_EQ(Distance_Azimut(0, 0, 10, 0).bearing, 0);
    EXPECT_EQ(Distance_Azimut(0, 0, -10, 0).bearing, 180);

    const DistanceAndBearing antipode = Distance_Azimut(0, 0, 0, 180);
    EXPECT_EQ(antipode.distance, 20014);
    EXPECT_EQ(antipode.bearing, 90);
}

TEST(DistanceAzimut, SamePointWhereRoundingPushesTheCosineSumAboveOne) {
    // At 79.1 N the cosine sum of a point with itself comes out just above 1.
    for (const double latitude : {79.1, -79.1, 48.52, 89.99}) {
        const DistanceAndBearing way = Distance_Azimut(latitude, -85.39, latitude, -85.39);
        EXPECT_EQ(way.distance, 0) << latitude;
        EXPECT_EQ(way.bearing, 0) << latitude;
    }
}
