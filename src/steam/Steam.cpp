// Steam by IAPWS-IF97 behind the Fluid interface. The basic equations give
// everything from (p, T); the cylinder model asks from (density, energy), so
// most of this file is the inverse: Newton's method with the equations' own
// derivatives, warm-started from the previous state of the same volume, and
// a classification of the state against the saturation dome when no good
// start is known.

#include "steam/Fluid.h"
#include "steam/IF97.h"
#include "steam/SteamSolve.h"

#include <algorithm>
#include <cmath>

namespace corvellan::steam {

namespace {

using namespace steamsolve;

// Inputs beyond these are brought back to them (and the state flagged): far
// outside IF97 anyway, and it keeps every iteration finite.
constexpr double kMinInputDensity = 1e-20, kMaxInputDensity = 1e4; // kg/m^3
constexpr double kMinInputEnergy = -1e7, kMaxInputEnergy = 1e8;    // J/kg
constexpr double kMinInputPressure = 1e-10;                        // Pa
constexpr double kMinInputEntropy = -1e5, kMaxInputEntropy = 1e5;  // J/(kg K)

// Brings x into [lo, hi] (NaN to lo), noting whether it had to.
double bounded(double x, double lo, double hi, bool& moved) {
    const double b = std::isnan(x) ? lo : std::clamp(x, lo, hi);
    moved = moved || b != x;
    return b;
}

class Steam final : public Fluid {
  public:
    std::string name() const override { return "steam"; }

    FluidState fromDensityEnergy(double rho, double u, const FluidState* hint) const override {
        bool moved = false;
        const double v = 1 / bounded(rho, kMinInputDensity, kMaxInputDensity, moved);
        u = bounded(u, kMinInputEnergy, kMaxInputEnergy, moved);
        FluidState st;
        if (!(hint && warmState(v, u, *hint, st))) st = coldState(v, u);
        st.outOfRange = st.outOfRange || moved;
        return st;
    }

    FluidState fromPressureTemperature(double p, double T) const override {
        bool moved = false;
        p = bounded(p, kMinInputPressure, if97::kMaxPressure, moved);
        T = bounded(T, if97::kMinTemperature, if97::kRegion2MaxTemperature, moved);
        FluidState st;
        if (T <= kWetMaxTemperature && p <= wetMaxPressure()) {
            const double Ts = p >= if97::kMinPressure ? if97::saturationTemperature(p) : 0;
            if (std::abs(T - Ts) <= 1e-9 * Ts)
                st = saturatedVapourAt(p, T); // dry saturated, not superheated
            else if (T > Ts)
                st = vapourState(p, T, if97::region2(p, T));
            else
                st = liquidState(p, T, if97::region1(p, T));
        } else if (T <= kWetMaxTemperature) {
            st = liquidState(p, T, if97::region1(p, T));
        } else if (T <= if97::kB23MaxTemperature && p > if97::b23Pressure(T)) {
            // Region 3: not computed; the nearest region-2 state at this temperature.
            p = if97::b23Pressure(T);
            st = vapourState(p, T, if97::region2(p, T));
            moved = true;
        } else {
            st = vapourState(p, T, if97::region2(p, T));
        }
        st.outOfRange = st.outOfRange || moved;
        return st;
    }

    FluidState fromPressureEntropy(double p, double s) const override {
        bool moved = false;
        p = bounded(p, kMinInputPressure, if97::kMaxPressure, moved);
        s = bounded(s, kMinInputEntropy, kMaxInputEntropy, moved);
        FluidState st;
        if (p < if97::kMinPressure) {
            st = vapourFromEntropy(p, s, if97::kMinTemperature);
        } else if (p <= wetMaxPressure()) {
            const double Ts = if97::saturationTemperature(p);
            const if97::Properties f = if97::region1(p, Ts), g = if97::region2(p, Ts);
            if (s < f.s)
                st = liquidFromEntropy(p, s, Ts);
            else if (s > g.s)
                st = vapourFromEntropy(p, s, Ts);
            else
                st = wetMixture(p, Ts, f, g, (s - f.s) / (g.s - f.s));
        } else {
            const double TB = if97::b23Temperature(p);
            if (s <= if97::region1(p, kWetMaxTemperature).s) {
                st = liquidFromEntropy(p, s, kWetMaxTemperature);
            } else if (s >= if97::region2(p, TB).s) {
                st = vapourFromEntropy(p, s, TB);
            } else {
                // Region 3 lies between: the nearer of its two edges.
                const FluidState a =
                    liquidState(p, kWetMaxTemperature, if97::region1(p, kWetMaxTemperature));
                const FluidState b = vapourState(p, TB, if97::region2(p, TB));
                st = (s - a.s < b.s - s) ? a : b;
                st.outOfRange = true;
            }
        }
        st.outOfRange = st.outOfRange || moved;
        return st;
    }

    FluidState saturatedVapour(double p) const override {
        bool moved = false;
        p = bounded(p, if97::kMinPressure, wetMaxPressure(), moved);
        FluidState st = saturatedVapourAt(p, if97::saturationTemperature(p));
        st.outOfRange = moved;
        return st;
    }

    double saturationTemperature(double p) const override {
        bool moved = false;
        return if97::saturationTemperature(
            bounded(p, if97::kMinPressure, if97::kCriticalPressure, moved));
    }

  private:
    // Newton's method from a nearby state, in the phase that state was in,
    // and where the result has just crossed the saturation line, once more
    // in the phase beyond it, from where the first stopped: a volume at the
    // line crosses it back and forth. Each phase's result is kept only when
    // it lies in that phase, so the answer is the one the dome would give.
    // False sends the caller to classify the state afresh.
    static bool warmState(double v, double u, const FluidState& hint, FluidState& st) {
        if (!std::isfinite(hint.p) || !std::isfinite(hint.T) || !(hint.p > 0) ||
            !(hint.T >= if97::kMinTemperature && hint.T <= if97::kRegion2MaxTemperature))
            return false;
        enum class Phase { Wet, Vapour, Liquid };
        Phase phase = (hint.quality >= 0 && hint.quality <= 1) ? Phase::Wet
                      : hint.rho < kCriticalDensity            ? Phase::Vapour
                                                               : Phase::Liquid;
        double p = hint.p, T = hint.T;
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (phase == Phase::Wet) {
                if (T > kWetMaxTemperature ||
                    !wetNewton(v, u, T, if97::kMinTemperature, kWetMaxTemperature, false, st))
                    return false;
                if (st.quality >= 0 && st.quality <= 1) return true;
                phase = st.quality > 1 ? Phase::Vapour : Phase::Liquid;
            } else if (phase == Phase::Vapour) {
                bool frozen = false;
                if (!vapourNewton(v, u, p, T, kWarmIterations, st, frozen) || frozen) return false;
                if (inRegion2(st.p, st.T, 1e-9)) return true;
                if (st.T > kWetMaxTemperature) return false; // region 3
                phase = Phase::Wet;
            } else {
                if (!liquidNewton(v, u, p, T, kWarmIterations, st) || st.p > if97::kMaxPressure)
                    return false;
                if (st.p >= if97::saturationPressure(st.T)) return true;
                phase = Phase::Wet;
            }
            p = st.p;
            T = st.T;
        }
        return false;
    }

    // The state found without a start: which side of the saturation dome
    // (v, u) lies, then the iteration of that phase from the dome's edge.
    static FluidState coldState(double v, double u) {
        const Dome& d = dome();
        if (v >= d.vgTop) {
            if (v > d.vgBottom) return vapourFrom(v, u, idealGasStart(v, u));
            const double Tg = vapourLineTemperature(v);
            const Saturation S = saturation(Tg);
            if (u > S.g.u) return vapourFrom(v, u, {S.p, Tg});
            return wetBracketed(v, u, Tg);
        }
        if (v > d.vfTop) {
            // Under the dome's top at 623.15 K: wet below, region 2 or 3 above.
            if (u > wetEnergy(d.top, v)) return vapourFrom(v, u, {d.top.p, 700});
            return wetBracketed(v, u, kWetMaxTemperature);
        }
        if (v < d.vfBottom) return liquidFrom(v, u, {10e6, 300});
        const double Tf = liquidLineTemperature(v);
        const Saturation S = saturation(Tf);
        if (u >= S.f.u) return liquidFrom(v, u, {S.p, Tf});
        return wetBracketed(v, u, Tf);
    }
};

} // namespace

std::unique_ptr<Fluid> makeSteam() {
    return std::make_unique<Steam>();
}

} // namespace corvellan::steam
