#pragma once
// IAPWS-IF97, the industrial formulation of 1997 for the thermodynamic
// properties of water and steam, from the published release (revised 2007).
// SI units: Pa, K, m^3/kg, J/kg, J/(kg K), m/s (the release itself works in
// MPa and kJ).
//
// Implemented: region 1 (compressed liquid), region 2 (superheated vapour;
// not its metastable-vapour extension), region 4 (the saturation line) and
// the boundary between regions 2 and 3. Regions 3 (near the critical point)
// and 5 (above 1073.15 K) are recognised but not computed.

namespace corvellan::steam::if97 {

// Region 4: the saturation line, from the triple point (273.16 K) to the
// critical point (647.096 K, 22.064 MPa).
constexpr double kCriticalTemperature = 647.096;
constexpr double kCriticalPressure = 22.064e6;
constexpr double kTriplePointTemperature = 273.16;

// The ranges of the basic equations.
constexpr double kMinTemperature = 273.15;         // regions 1, 2 and 4
constexpr double kRegion1MaxTemperature = 623.15;  // region 1; region 2 meets region 3 above it
constexpr double kB23MaxTemperature = 863.15;      // the B23 line ends here at 100 MPa
constexpr double kRegion2MaxTemperature = 1073.15; // region 5 lies above
constexpr double kMaxPressure = 100e6;             // regions 1 and 2
constexpr double kMinPressure = 611.212677;        // the saturation pressure at 273.15 K

double saturationPressure(double T);      // Pa, for T in [273.15, 647.096] K
double saturationTemperature(double p);   // K, for p in [611.213, 22.064e6] Pa
double saturationPressureSlope(double T); // dp_s/dT along the line, Pa/K

// The B23 line between regions 2 and 3, for T in [623.15, 863.15] K, p in
// [16.529, 100] MPa.
double b23Pressure(double T);
double b23Temperature(double p);

enum class Region { Outside = 0, One = 1, Two = 2, Three = 3, Five = 5 };
// The region of a state (p, T). A state on the saturation line counts as
// region 2 (vapour); region 4 is a pair of states, not a point of (p, T).
Region regionOf(double p, double T);

// The properties the basic equation of a region gives at (p, T), with the
// partial derivatives the inverse iterations need (d/dp at constant T, d/dT
// at constant p). Entropy and energies are measured, as in the release, from
// the saturated liquid at the triple point (u = s = 0 there).
struct Properties {
    double v = 0;  // specific volume, m^3/kg
    double u = 0;  // specific internal energy, J/kg
    double h = 0;  // specific enthalpy, J/kg
    double s = 0;  // specific entropy, J/(kg K)
    double cp = 0; // specific isobaric heat capacity, J/(kg K)
    double cv = 0; // specific isochoric heat capacity, J/(kg K)
    double w = 0;  // speed of sound, m/s
    double dvdp = 0, dvdT = 0, dudp = 0, dudT = 0;
};

// The basic equations, evaluated wherever asked: the caller keeps (p, T)
// within the region (see regionOf).
Properties region1(double p, double T);
Properties region2(double p, double T);

} // namespace corvellan::steam::if97
