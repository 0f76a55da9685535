#include "main/ConditionsStore.h"

namespace corvellan {

bool sameConditions(const steam::Conditions& a, const steam::Conditions& b) {
    return a.Units == b.Units && a.ChestPressure == b.ChestPressure &&
           a.ChestTemperature == b.ChestTemperature && a.BackPressure == b.BackPressure &&
           a.Atmosphere == b.Atmosphere && a.Speed == b.Speed &&
           a.ClearanceFront == b.ClearanceFront && a.ClearanceRear == b.ClearanceRear &&
           a.PortBreadth == b.PortBreadth && a.DischargeCoefficient == b.DischargeCoefficient &&
           a.PistonRodDia == b.PistonRodDia && a.Cylinders == b.Cylinders && a.Fluid == b.Fluid &&
           a.Gamma == b.Gamma;
}

void ConditionsStore::set(const steam::Conditions& c) {
    if (sameConditions(c, conditions_)) return;
    conditions_ = c;
    Q_EMIT changed();
}

} // namespace corvellan
