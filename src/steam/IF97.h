#pragma once
// IAPWS-IF97, the industrial formulation of 1997 for the thermodynamic
// properties of water and steam, from the published release. SI units: Pa,
// K (the release itself works in MPa).

namespace corvellan::steam::if97 {

// Region 4: the saturation line, from the triple point (273.16 K) to the
// critical point (647.096 K, 22.064 MPa).
constexpr double kCriticalTemperature = 647.096;
constexpr double kCriticalPressure = 22.064e6;
constexpr double kTriplePointTemperature = 273.16;

double saturationPressure(double T);    // Pa, for T in [273.15, 647.096] K
double saturationTemperature(double p); // K, for p in [611.213, 22.064e6] Pa

} // namespace corvellan::steam::if97
