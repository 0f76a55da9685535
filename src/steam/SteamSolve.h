#pragma once
// The pieces of the steam fluid: states of each phase from IF97's basic
// equations, the saturation line with its slopes, and the iterations that
// find a state from what the caller knows (density and energy, or pressure
// and entropy). Internal to the steam library.

#include "steam/Fluid.h"
#include "steam/IF97.h"

namespace corvellan::steam::steamsolve {

// The wet mixture is built from region 1 and region 2 at saturation, so it
// ends where region 1 does.
constexpr double kWetMaxTemperature = if97::kRegion1MaxTemperature;
// Which side of the dome a state's phase lies (the critical density).
constexpr double kCriticalDensity = 322;
// Iterations allowed from a nearby state before it is classified afresh.
constexpr int kWarmIterations = 8;

constexpr double kSuperheatedExponent = 1.3;
constexpr double kSaturatedExponent = 1.135;

// Both saturated phases at T, with the slopes of their v, u and s along the
// line (d/dT with p = p_s(T)).
struct Saturation {
    double T = 0, p = 0, dpdT = 0;
    if97::Properties f, g; // the liquid (region 1) and the vapour (region 2)
    double dvf = 0, dvg = 0, duf = 0, dug = 0, dsf = 0, dsg = 0;
};
Saturation saturation(double T);

// The dome's corners: the saturated volumes at 273.15 K and at 623.15 K.
struct Dome {
    double vgBottom = 0, vgTop = 0, vfBottom = 0, vfTop = 0;
    Saturation top;
};
const Dome& dome();
// The saturation pressure at 623.15 K, 16.53 MPa.
inline double wetMaxPressure() {
    return dome().top.p;
}

// The energy of the wet mixture of specific volume v at the line's point S.
double wetEnergy(const Saturation& S, double v);

bool inRegion2(double p, double T, double saturationSlack);

FluidState vapourState(double p, double T, const if97::Properties& P);
FluidState liquidState(double p, double T, const if97::Properties& P);
FluidState saturatedVapourAt(double p, double T);
FluidState wetMixture(double p, double T, const if97::Properties& f, const if97::Properties& g,
                      double x);

struct Start {
    double p, T;
};
Start idealGasStart(double v, double u);

// Newton's method for (p, T) in one phase, from a start. Each returns true
// when it settled; st is then the state of (v, u) itself. `frozen` says the
// vapour hit region 2's temperature bounds and only v was matched.
bool vapourNewton(double v, double u, double p0, double T0, int maxIterations, FluidState& st,
                  bool& frozen);
bool liquidNewton(double v, double u, double p0, double T0, int maxIterations, FluidState& st);
// The wet temperature in [lo, hi]; `bracketed` says the root is known to lie
// there (the mixture's energy at fixed v rises with T), so the iteration may
// bisect instead of giving up.
bool wetNewton(double v, double u, double T0, double lo, double hi, bool bracketed, FluidState& st);

// The same, finished: a flagged nearest state where they could not settle or
// the state lies outside the phase's range.
FluidState vapourFrom(double v, double u, Start start);
FluidState liquidFrom(double v, double u, Start start);
FluidState wetBracketed(double v, double u, double hi);

// Where the isochore v meets the saturated vapour (liquid) line.
double vapourLineTemperature(double v);
double liquidLineTemperature(double v);

// The state at p of entropy s, the vapour at or above Tlo, the liquid at or
// below Thi.
FluidState vapourFromEntropy(double p, double s, double Tlo);
FluidState liquidFromEntropy(double p, double s, double Thi);

} // namespace corvellan::steam::steamsolve
