#pragma once
// The working fluid of the cylinder model, in SI units throughout: pressure
// in Pa (absolute), temperature in K, density in kg/m^3, specific internal
// energy, enthalpy in J/kg, specific entropy in J/(kg K).
//
// Two fluids answer the same questions: a perfect gas with the gas constant
// of water and a chosen ratio of specific heats, and steam by IAPWS-IF97
// (regions 1, 2 and the two-phase region 4).

#include <memory>
#include <string>

namespace corvellan::steam {

// The gas constant of water, J/(kg K) (IAPWS-IF97).
constexpr double kWaterGasConstant = 461.526;
// The triple-point pressure of water, Pa: IF97 ends here.
constexpr double kTriplePointPressure = 611.212677;

struct FluidState {
    double p = 0;        // Pa
    double T = 0;        // K
    double rho = 0;      // kg/m^3
    double u = 0;        // J/kg
    double h = 0;        // J/kg
    double s = 0;        // J/(kg K)
    double quality = -1; // vapour mass fraction in the two-phase region, -1 outside it
    // The exponent n of the flow formula for this state when it is upstream:
    // the perfect gas's gamma; for steam 1.3 superheated, 1.135 saturated or wet.
    double flowExponent = 1.3;
    // The state asked for lies outside what the fluid covers (for steam:
    // beyond IF97's regions 1, 2 and 4, below 273.15 K or above 1073.15 K),
    // or its iteration did not settle: the figures are then the nearest state
    // the fluid could give (the density kept where it can be), never NaN.
    bool outOfRange = false;
};

class Fluid {
  public:
    virtual ~Fluid() = default;
    virtual std::string name() const = 0;

    // The state of a control volume from its density and specific internal
    // energy: the hot path of the cylinder model. `hint` (may be null) is a
    // nearby state, e.g. the previous one of the same volume, to start an
    // iteration from.
    virtual FluidState fromDensityEnergy(double rho, double u,
                                         const FluidState* hint = nullptr) const = 0;
    virtual FluidState fromPressureTemperature(double p, double T) const = 0;
    virtual FluidState fromPressureEntropy(double p, double s) const = 0;
    // Dry saturated vapour at p (p between the triple and critical points).
    virtual FluidState saturatedVapour(double p) const = 0;
    virtual double saturationTemperature(double p) const = 0;
};

// p = (gamma - 1) rho u, h = gamma u, u = c_v T with c_v = R / (gamma - 1);
// entropy measured from T = 273.16 K, p = 611.657 Pa. Its flow exponent is
// gamma. The saturation temperature is still that of water (IF97), so a
// chest of "dry saturated" perfect gas has the temperature steam would have.
std::unique_ptr<Fluid> makePerfectGas(double gamma);

// Water and steam by IAPWS-IF97: compressed liquid (region 1), superheated
// vapour (region 2) and the wet mixture of the two saturated phases between
// them (region 4), from 273.15 K to 1073.15 K and up to 100 MPa, the wet
// states up to 623.15 K (16.53 MPa). Flow exponent 1.3 superheated, 1.135
// saturated, wet or liquid. Holds no state: one object serves every thread.
std::unique_ptr<Fluid> makeSteam();

} // namespace corvellan::steam
