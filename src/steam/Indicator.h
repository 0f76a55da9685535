#pragma once
// The steam in both ends of the cylinder over a settled revolution, driven by
// the port openings the gear produces: the indicator diagram of each end,
// its work, mean effective pressure and steam, and the engine's totals.
//
// Each end is a control volume (mass m, internal energy U, adiabatic walls,
// no leakage) fed through its steam edge from the chest and emptied through
// its exhaust edge into the exhaust; chest and exhaust are reservoirs of
// fixed state. The flow through an edge is that of a nozzle of the edge's
// area (discharge coefficient x port breadth x opening clamped to the port
// width). The revolution is integrated with an adaptive, error-controlled
// implicit method from the exhaust state, revolution after revolution,
// until it repeats itself. Everything here is in SI: Pa absolute, m, m^3,
// kg, J, W, seconds; the outputs convert (IndicatorReport.h).

#include "analysis/ValveEvents.h"
#include "model/Model.h"
#include "steam/Conditions.h"
#include "steam/Fluid.h"

#include <optional>
#include <vector>

namespace corvellan::steam {

// How the settled revolution is found.
struct IndicatorOptions {
    // Relative error per step of the integrator (the absolute one scales
    // with the end's mass and energy at chest state).
    double tolerance = 1e-6;
    // Settled: work and admitted steam change by less than this (relative)
    // from one revolution to the next, and admitted and exhausted steam
    // agree within it.
    double settleTolerance = 1e-5;
    int maxRevolutions = 30;
    // The relative pressure difference within which the flow through an
    // edge is smoothed (see edgeFlow). Where a wide-open port feeds a slowly
    // moving piston the two pressures differ by the square of the speed:
    // 1e-9 at 1 rpm; the smoothing makes that difference a few 1e-8, which
    // no figure can feel, and keeps the integration from crawling there.
    double flowSmoothing = 1e-6;
    // Points of each loop kept for drawing (0: none), evenly spaced in
    // driver angle over the settled revolution, the last closing the loop.
    int loopPoints = 361;
};

// One point of an end's loop.
struct LoopPoint {
    double angle = 0;    // driver angle, degrees [0, 360]
    double fraction = 0; // piston position, 0 front dead centre .. 1 rear
    double volume = 0;   // m^3 of this end
    double pressure = 0; // Pa absolute
};

// The ideal cycle of an end, for comparison (all at constant volume between
// its phases): chest pressure from admission to cut-off, isentropic
// expansion of the steam trapped at cut-off to release, back pressure from
// release to compression, isentropic compression of the steam trapped at
// compression to admission.
struct IdealCycle {
    bool valid = false; // the end has all four events
    double mep = 0;     // Pa
    double work = 0;    // J per revolution
    // The outline, in the order of the phases, starting at admission.
    std::vector<LoopPoint> loop;
};

struct EndIndicator {
    double sweptVolume = 0;     // m^3
    double clearanceVolume = 0; // m^3
    double work = 0;            // J per revolution: the loop's integral of p dV
    double mep = 0;             // Pa: work / swept volume
    // Per revolution, kg: admitted from the chest net of any flow back into
    // it, and exhausted net of any flow back from the exhaust.
    double steamAdmitted = 0, steamExhausted = 0;
    // Per revolution, J: the enthalpy the steam brings in from the chest and
    // takes out to the exhaust, net of back flows through each.
    double energyIn = 0, energyOut = 0;
    double peakPressure = 0;              // Pa absolute
    std::optional<double> cutOffPressure; // Pa absolute, at the events' cut-off
    IdealCycle ideal;
    std::vector<LoopPoint> loop;
};

struct SettingIndicator {
    Real revArmPos = 0;
    RunningDirection direction = RunningDirection::Forward;
    bool forward = true; // the driver angle increases as the engine runs
    double speed = 0;    // rpm
    int revolutions = 0; // integrated, the settled one included
    bool settled = false;
    bool geometryError = false;
    EndIndicator front, rear;
    // The engine's totals: Cylinders x both ends.
    double indicatedPower = 0;          // W
    double steamPerHour = 0;            // kg/h (negative: more pushed back than admitted)
    std::optional<double> steamRate;    // kg/J; absent where the power is not positive
    std::optional<double> workDifferencePct; // front minus rear, % of their mean
    SettingEvents events;
};

// The fixed states the ends exchange steam with.
struct Reservoirs {
    FluidState chest;   // chest pressure and temperature
    FluidState exhaust; // back pressure, the chest's entropy
};
Reservoirs makeReservoirs(const SiConditions& c, const Fluid& fluid);

// The fluid the conditions name.
std::unique_ptr<Fluid> makeFluid(const SiConditions& c);

// Flow through one edge (kg/s) from upstream (p_u, rho_u) to p_d < p_u, for
// a flow area `area` (m^2, the discharge coefficient included) and exponent
// n, with r = max(p_d/p_u, r*), r* = (2/(n+1))^(n/(n-1)):
//   mdot = area sqrt(p_u rho_u) sqrt(2n/(n-1) (r^(2/n) - r^((n+1)/n))),
// smoothed within `smoothing` (relative) of equal pressures by the factor
// sqrt(z / sqrt(z^2 + smoothing^2)), z = 1 - p_d/p_u.
double edgeFlow(double area, double pu, double rhou, double pd, double n, double smoothing = 0);

// The settled indicator computation of one setting. `scratch` is a copy of
// the gear model this call may change (as computeSettingEvents); `c` the
// validated conditions in SI for this gear.
SettingIndicator computeIndicator(Model& scratch, Real revArmPos, const SiConditions& c,
                                  const Fluid& fluid, const IndicatorOptions& options = {});

// The same setting at several speeds (the conditions' own speed ignored):
// the events and the valve's motion found once.
std::vector<SettingIndicator> computeIndicatorSpeeds(Model& scratch, Real revArmPos,
                                                    const std::vector<double>& speeds,
                                                    const SiConditions& c, const Fluid& fluid,
                                                    const IndicatorOptions& options = {});

// The same for several settings, on one copy of `m`.
std::vector<SettingIndicator> computeIndicators(const Model& m, const std::vector<Real>& settings,
                                                const SiConditions& c,
                                                const IndicatorOptions& options = {});

} // namespace corvellan::steam
