#pragma once

// The constant the distance arithmetic has always used for pi; kept so that
// the kilometres shown stay the same.
inline constexpr double Pi = 3.14159265358979;

double Deg_Rad(double degrees);
double Rad_Deg(double radians);
// Arccosine in radians, from the arctangent and the square root; x in [-1, 1].
double Arc_Cos(double x);

// Whole kilometres and whole degrees, both held as doubles.
struct DistanceAndBearing {
    double distance = 0;
    double bearing = 0;
};

// Great-circle distance and initial course (clockwise from true north, 0 to
// 359) from point 1 to point 2; degrees, north and east positive.
DistanceAndBearing Distance_Azimut(double lat1, double lon1, double lat2, double lon2);
