#include "model/Guards.h"

namespace corvellan {

namespace {
// The divisor is compared in the arithmetic's precision: the stored limit
// 0.00001f is a little below 0.00001, and a divisor equal to it must still be
// repaired (to that stored limit).
constexpr Ext kDivisorLimit = 0.00001L;
constexpr Real kMinDivisor = 0.00001f;
constexpr Real kMaxSine = 0.999999f;

void raise(Model& m) {
    if (m.error.ErrorBeep) m.error.GeometryError = true;
}
} // namespace

Real sqrtGuard(Model& m, Real work) {
    if (work < 0) {
        raise(m);
        return -work;
    }
    return work;
}

Real divGuard(Model& m, Real div) {
    if (div >= 0 && div < kDivisorLimit) {
        raise(m);
        return kMinDivisor;
    }
    if (div < 0 && div > -kDivisorLimit) {
        raise(m);
        return -kMinDivisor;
    }
    return div;
}

Real asinGuard(Model& m, Real work) {
    if (work > kMaxSine) {
        raise(m);
        return kMaxSine;
    }
    if (work < -kMaxSine) {
        raise(m);
        return -kMaxSine;
    }
    return work;
}

} // namespace corvellan
