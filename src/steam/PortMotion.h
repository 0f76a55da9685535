#pragma once
// The valve's motion over one turn as the cylinder model reads it: the valve
// position from the program's own solve at every half degree, interpolated
// between those samples by its Fourier series (the motion of a linkage is
// smooth, its series short, and the integrator needs a right-hand side that
// is smooth between the edges' kinks: a piecewise cubic would put a small
// kink at every sample), and the four signed
// openings, each the valve position plus or minus a constant of the valve
// face (as the valve computation gives them). Also where each edge opens,
// closes, or reaches the full width of its port: the kinks of the flow.
// Internal to the steam library.

#include "analysis/PistonKinematics.h"
#include "analysis/ValveEvents.h"
#include "model/Model.h"

#include <array>
#include <utility>
#include <vector>

namespace corvellan::steam {

class PortMotion {
  public:
    static constexpr int kSamples = 720;

    // Samples the gear at `revArmPos` on `scratch` (its gear state, pivots,
    // valve quantities and error flag change). `geometryError` is set where
    // the solver had to repair the gear at some sample.
    PortMotion(Model& scratch, Real revArmPos);

    // The valve position (gear length unit) at a driver angle in degrees.
    double valvePosition(double angleDeg) const;
    // Its slope, per degree.
    double valveSlope(double angleDeg) const;
    // The signed opening of an edge at a driver angle (gear length unit).
    double opening(int edge, double angleDeg) const;
    double openingSlope(int edge, double angleDeg) const {
        return sign_[edge] * valveSlope(angleDeg);
    }
    // Driver angles in [0, 360) where the edge's opening crosses `level`.
    std::vector<double> crossings(int edge, double level) const;

    bool geometryError() const { return geometryError_; }

  private:
    // The largest harmonic kept.
    static constexpr int kMaxHarmonics = 90;
    // The series is tabulated with its slope this finely and read between
    // the points by a cubic: far cheaper than summing it, and as close to
    // it as its own truncation.
    static constexpr int kTable = 4096;
    double seriesValue(double angleDeg) const;
    double seriesSlope(double angleDeg) const;
    double mean_ = 0;
    std::vector<double> cos_, sin_; // coefficients of harmonics 1, 2, ...
    std::vector<double> value_, slope_; // kTable + 1 points, per table step
    // opening = sign x valve position + offset
    std::array<double, kPortEdges> sign_{}, offset_{};
    bool geometryError_ = false;
};

} // namespace corvellan::steam
