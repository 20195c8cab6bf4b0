#include "DistanceBearing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
// Nautical miles per degree of arc, statute miles per nautical mile,
// kilometres per statute mile: applied one after the other.
constexpr double NauticalMilesPerDegree = 60;
constexpr double StatuteMilesPerNauticalMile = 1.1515;
constexpr double KilometresPerStatuteMile = 1.609344;
} // namespace

double Deg_Rad(double degrees) {
    return (degrees * Pi) / 180;
}

double Rad_Deg(double radians) {
    return (radians * 180) / Pi;
}

double Arc_Cos(double x) {
    if (std::fabs(x) != 1)
        return Pi / 2 - std::atan(x / std::sqrt(1 - x * x));
    return x == -1 ? Pi : 0;
}

DistanceAndBearing Distance_Azimut(double lat1, double lon1, double lat2, double lon2) {
    const double theta = lon1 - lon2;
    // Rounding can push the sum just past 1 (same point) or -1 (antipodes).
    const double x = std::clamp(std::sin(Deg_Rad(lat1)) * std::sin(Deg_Rad(lat2)) +
                                    (std::cos(Deg_Rad(lat2)) * std::cos(Deg_Rad(lat1))) *
                                        std::cos(Deg_Rad(theta)),
                                -1.0, 1.0);
    const double arc = Rad_Deg(Arc_Cos(x));
    const double miles = (arc * NauticalMilesPerDegree) * StatuteMilesPerNauticalMile;
    const double kilometres = miles * KilometresPerStatuteMile;

    // The beam heading is the great-circle initial course, not the direction
    // on a flat map of latitudes and longitudes. It is worked with the full
    // value of pi, as std::atan2 is: due west then comes out as 270, not 269.
    const double toRadians = std::numbers::pi / 180;
    const double phi1 = lat1 * toRadians;
    const double phi2 = lat2 * toRadians;
    const double dLon = (lon2 - lon1) * toRadians;
    const double east = std::sin(dLon) * std::cos(phi2);
    const double north =
        std::cos(phi1) * std::sin(phi2) - std::sin(phi1) * std::cos(phi2) * std::cos(dLon);
    double course = std::atan2(east, north) * 180 / std::numbers::pi;
    if (course < 0)
        course += 360;
    course = std::floor(course);
    if (course >= 360)
        course = 0;

    return {std::floor(kilometres), course};
}
