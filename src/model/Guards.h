#pragma once
// The three repairs of impossible geometry. Each returns the repaired value
// and raises GeometryError (only while ErrorBeep is on) when it had to repair.

#include "model/Model.h"

namespace corvellan {

// A negative radicand becomes its absolute value.
Real sqrtGuard(Model& m, Real work);
// A divisor nearer zero than 0.00001 becomes +-0.00001, keeping its sign
// (0 counts as positive).
Real divGuard(Model& m, Real div);
// A sine beyond +-0.999999 is clamped.
Real asinGuard(Model& m, Real work);

} // namespace corvellan
