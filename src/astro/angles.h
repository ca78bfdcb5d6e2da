#pragma once

namespace skelvane {

// Trigonometry in degrees.
double SinDeg(double degrees);
double CosDeg(double degrees);
double TanDeg(double degrees);
double AsinDeg(double x);
// 0 for an argument outside -1..1.
double AcosDeg(double x);
double Atan2Deg(double y, double x);

// One correction into 0..m: x - m when x > m, x + m when x < 0, else x (not a modulo).
double WrapOnce(double x, double m);
// One correction towards zero: x - m when x > m, x + m when x < -m, else x.
double ReduceOnce(double x, double m);
// An angle brought fully into 0..360 (a modulo; 360 itself reads 0).
double Reduce360(double degrees);

// Great-circle distance in statute miles on a sphere of radius 6371 km; exactly 0 for
// identical points.
double GreatCircleMiles(double lon1, double lat1, double lon2, double lat2);
// Flat-grid angle from the first point to the second: WrapOnce(90 - atan2(b2 - b1,
// a2 - a1), 360) in degrees.
double FlatBearing(double a1, double b1, double a2, double b2);

double KmToMiles(double km);
double MilesToKm(double miles);

} // namespace skelvane
