#pragma once
// The linkage solver: places every moving pivot for the current driver angle
// and reverse-arm setting by closed-form constructions in a fixed order. It
// never fails: impossible constructions are replaced by nearby values and
// raise GeometryError (while ErrorBeep is on).

#include "model/Model.h"

namespace corvellan {

// Solves the gear for m.gear.DriverAngle and m.gear.RevArmPos, then computes
// the lap constants. Never clears GeometryError.
void solve(Model& m);

} // namespace corvellan
