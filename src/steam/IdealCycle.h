#pragma once
// The ideal cycle of an end from its events (see IdealCycle in Indicator.h),
// and the isentropes it follows. Internal to the steam library.

#include "analysis/ValveEvents.h"
#include "steam/CylinderEnd.h"
#include "steam/Fluid.h"
#include "steam/Indicator.h"

namespace corvellan::steam {

// The state of density rho on the isentrope of `start` (same entropy).
FluidState isentropeAt(const Fluid& fluid, bool perfectGas, const FluidState& start, double rho);

IdealCycle idealCycle(const CylinderEnd& end, const EndEvents& ev, const Fluid& fluid,
                      const Reservoirs& res, bool withLoop);

} // namespace corvellan::steam
