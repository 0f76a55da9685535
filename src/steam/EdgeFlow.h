#pragma once
// The nozzle flow through a port edge with its partial derivatives, for the
// implicit integrator. Internal to the steam library; edgeFlow (Indicator.h)
// is its value.

namespace corvellan::steam {

// The flow is smoothed within a relative pressure difference eps of equal
// pressures, by the factor sqrt(z / sqrt(z^2 + eps^2)), z = 1 - p_d/p_u:
// the formula's slope is unbounded where the two pressures meet.
constexpr double kDefaultFlowSmoothing = 1e-6;

struct EdgeFlowValue {
    double mdot = 0; // kg/s, from upstream to downstream
    // Partial derivatives of mdot by upstream pressure and density, and by
    // downstream pressure.
    double dpu = 0, drhou = 0, dpd = 0;
};

// area: m^2 (discharge coefficient included); pu >= pd.
EdgeFlowValue edgeFlowWithSlopes(double area, double pu, double rhou, double pd, double n,
                                 double smoothing = kDefaultFlowSmoothing);

// The critical pressure ratio (2/(n+1))^(n/(n-1)).
double criticalPressureRatio(double n);

} // namespace corvellan::steam
