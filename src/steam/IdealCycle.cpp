#include "steam/IdealCycle.h"

#include "steam/IF97.h"

#include <algorithm>
#include <cmath>

namespace corvellan::steam {

namespace {

constexpr double kTwoPi = 2 * 3.14159265358979323846;
// Points of the outline's curved and straight parts, over the revolution.
constexpr int kOutlinePoints = 144;

double ahead(double phi, double from) {
    double d = std::fmod(phi - from, kTwoPi);
    if (d < 0) d += kTwoPi;
    return d;
}

} // namespace

FluidState isentropeAt(const Fluid& fluid, bool perfectGas, const FluidState& start, double rho) {
    if (perfectGas) {
        // p rho^-gamma constant; the exponent is the gas's gamma.
        const double p = start.p * std::pow(rho / start.rho, start.flowExponent);
        return fluid.fromDensityEnergy(rho, p / ((start.flowExponent - 1) * rho));
    }
    // The secant method on log p for the density, from the isentrope's
    // local exponent guess; the density rises steadily with p along it.
    auto logRho = [&](double lp) {
        return std::log(fluid.fromPressureEntropy(std::exp(lp), start.s).rho);
    };
    const double target = std::log(rho);
    const double lo = std::log(if97::kMinPressure), hi = std::log(if97::kMaxPressure);
    double x0 = std::log(start.p), f0 = std::log(start.rho) - target;
    double x1 = std::clamp(x0 - 1.13 * f0, lo, hi), f1 = logRho(x1) - target;
    for (int i = 0; i < 40 && std::fabs(f1) > 1e-13; ++i) {
        if (f1 == f0) break;
        const double x2 = std::clamp(x1 - f1 * (x1 - x0) / (f1 - f0), lo, hi);
        x0 = x1, f0 = f1;
        x1 = x2;
        f1 = logRho(x1) - target;
    }
    return fluid.fromPressureEntropy(std::exp(x1), start.s);
}

IdealCycle idealCycle(const CylinderEnd& end, const EndEvents& ev, const Fluid& fluid,
                      const Reservoirs& res, bool withLoop) {
    IdealCycle c;
    if (!(ev.admissionAngle && ev.cutOffAngle && ev.releaseAngle && ev.compressionAngle))
        return c;
    const double a = end.phiAt(*ev.admissionAngle), co = end.phiAt(*ev.cutOffAngle);
    const double r = end.phiAt(*ev.releaseAngle), k = end.phiAt(*ev.compressionAngle);
    // The phases must follow one another round the turn.
    const double dc = ahead(co, a), dr = ahead(r, a), dk = ahead(k, a);
    if (!(dc > 0 && dc < dr && dr < dk)) return c;

    const bool gas = end.isPerfectGas();
    const FluidState& chest = res.chest;
    const FluidState& exhaust = res.exhaust;
    const double Va = end.volume(a), Vc = end.volume(co), Vr = end.volume(r), Vk = end.volume(k);
    const double mc = chest.rho * Vc; // trapped at cut-off
    const double mk = exhaust.rho * Vk; // trapped at compression
    const FluidState atRelease = isentropeAt(fluid, gas, chest, mc / Vr);
    const FluidState atAdmission = isentropeAt(fluid, gas, exhaust, mk / Va);
    c.work = chest.p * (Vc - Va) + mc * (chest.u - atRelease.u) + exhaust.p * (Vk - Vr) +
             mk * (exhaust.u - atAdmission.u);
    c.mep = c.work / end.sweptVolume();
    c.valid = std::isfinite(c.work);
    if (!withLoop || !c.valid) return c;

    auto point = [&](double phi, double p) {
        LoopPoint pt;
        pt.angle = end.driverAngle(phi);
        pt.fraction = end.fraction(phi);
        pt.volume = end.volume(phi);
        pt.pressure = p;
        c.loop.push_back(pt);
    };
    auto pressureAt = [&](double d) {
        const double phi = a + d;
        if (d < dc) return chest.p;
        if (d < dr) return isentropeAt(fluid, gas, chest, mc / end.volume(phi)).p;
        if (d < dk) return exhaust.p;
        return isentropeAt(fluid, gas, exhaust, mk / end.volume(phi)).p;
    };
    // Each phase from its first event to the next, the equalisations at
    // constant volume between them.
    const double ends[5] = {0, dc, dr, dk, kTwoPi};
    for (int phase = 0; phase < 4; ++phase) {
        const double from = ends[phase], to = ends[phase + 1];
        const int n = std::max(2, static_cast<int>(kOutlinePoints * (to - from) / kTwoPi) + 1);
        for (int i = 0; i <= n; ++i) {
            const double d = from + (to - from) * i / n;
            // The phase's own value at its end, before the equalisation.
            const double p = i == n ? (phase == 0   ? chest.p
                                       : phase == 1 ? atRelease.p
                                       : phase == 2 ? exhaust.p
                                                    : atAdmission.p)
                                    : pressureAt(d);
            point(a + d, p);
        }
    }
    point(a, chest.p); // back to the start: the admission's equalisation
    return c;
}

} // namespace corvellan::steam
