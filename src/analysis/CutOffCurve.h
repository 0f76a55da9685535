#pragma once
// Front and rear cut-off over the whole travel of the reverse arm: from mid
// gear out to full gear forward, running forward, and out to full gear in
// reverse, running in reverse. How even a gear is shows at a glance: the two
// ends' curves lie on each other where it is.

#include "analysis/ValveEvents.h"
#include "model/Model.h"

#include <vector>

namespace corvellan {

struct CutOffPoint {
    double travelPct = 0; // distance from mid gear, percent of RevArmToCentMax
    Real revArmPos = 0;
    Figure front, rear; // percent of stroke; absent where the port does not cut off once
};

struct CutOffCurve {
    Real revArmCen = 0, revArmToCentMax = 0;
    // Each from mid gear (travelPct 0) out to full gear (100).
    std::vector<CutOffPoint> forward, reverse;
};

// Steps of each half: a point every 5 % of the travel.
constexpr int kCutOffCurveSteps = 20;

// The curve of the gear as it stands, at its own mid gear.
CutOffCurve computeCutOffCurve(const Model& m, int steps = kCutOffCurveSteps);

} // namespace corvellan
