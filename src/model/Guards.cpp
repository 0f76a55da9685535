#include "model/Guards.h"

namespace corvellan {

namespace {
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
    if (div >= 0 && div < kMinDivisor) {
        raise(m);
        return kMinDivisor;
    }
    if (div < 0 && div > -kMinDivisor) {
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
