#include "steam/SteamSolve.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace corvellan::steam::steamsolve {

namespace {

constexpr double R = kWaterGasConstant;
constexpr double kTmin = if97::kMinTemperature;
constexpr double kTmax = if97::kRegion2MaxTemperature;
// A Newton step this small (relative) ends an iteration: the state is then
// finished to first order in it, which leaves an error of its square.
constexpr double kStepTolerance = 1e-7;
constexpr int kColdIterations = 100;

// A root of f in [lo, hi], f increasing or decreasing there: Newton's method,
// with bisection whenever a step would leave the bracket it keeps.
template <class F> double bracketedRoot(F f, double lo, double hi, double x, bool increasing) {
    x = std::clamp(x, lo, hi);
    for (int it = 0; it < kColdIterations; ++it) {
        const auto [value, slope] = f(x);
        if (value == 0) return x;
        if ((value < 0) == increasing)
            lo = x;
        else
            hi = x;
        double next = x - value / slope;
        if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
        if (std::abs(next - x) <= 1e-13 * std::abs(x) || hi - lo <= 1e-13 * std::abs(x))
            return next;
        x = next;
    }
    return x;
}

bool relativelyNear(double a, double b, double scale, double tol) {
    return std::abs(a - b) <= tol * scale;
}

} // namespace

Saturation saturation(double T) {
    Saturation S;
    S.T = T;
    S.p = if97::saturationPressure(T);
    S.dpdT = if97::saturationPressureSlope(T);
    S.f = if97::region1(S.p, T);
    S.g = if97::region2(S.p, T);
    // ds/dT at constant p is cp/T; ds/dp at constant T is -dv/dT.
    S.dvf = S.f.dvdT + S.dpdT * S.f.dvdp;
    S.dvg = S.g.dvdT + S.dpdT * S.g.dvdp;
    S.duf = S.f.dudT + S.dpdT * S.f.dudp;
    S.dug = S.g.dudT + S.dpdT * S.g.dudp;
    S.dsf = S.f.cp / T - S.dpdT * S.f.dvdT;
    S.dsg = S.g.cp / T - S.dpdT * S.g.dvdT;
    return S;
}

const Dome& dome() {
    static const Dome d = [] {
        Dome r;
        const Saturation bottom = saturation(kTmin);
        r.top = saturation(kWetMaxTemperature);
        r.vgBottom = bottom.g.v;
        r.vfBottom = bottom.f.v;
        r.vgTop = r.top.g.v;
        r.vfTop = r.top.f.v;
        return r;
    }();
    return d;
}

double wetEnergy(const Saturation& S, double v) {
    return S.f.u + (v - S.f.v) / (S.g.v - S.f.v) * (S.g.u - S.f.u);
}

bool inRegion2(double p, double T, double saturationSlack) {
    if (!(T >= kTmin && T <= kTmax && p > 0 && p <= if97::kMaxPressure)) return false;
    if (T <= kWetMaxTemperature) return p <= if97::saturationPressure(T) * (1 + saturationSlack);
    return T > if97::kB23MaxTemperature || p <= if97::b23Pressure(T);
}

namespace {
FluidState single(double p, double T, const if97::Properties& P, double exponent) {
    FluidState st;
    st.p = p;
    st.T = T;
    st.rho = 1 / P.v;
    st.u = P.u;
    st.h = P.h;
    st.s = P.s;
    st.quality = -1;
    st.flowExponent = exponent;
    return st;
}
} // namespace

FluidState vapourState(double p, double T, const if97::Properties& P) {
    return single(p, T, P, kSuperheatedExponent);
}

FluidState liquidState(double p, double T, const if97::Properties& P) {
    return single(p, T, P, kSaturatedExponent);
}

FluidState saturatedVapourAt(double p, double T) {
    FluidState st = single(p, T, if97::region2(p, T), kSaturatedExponent);
    st.quality = 1;
    return st;
}

FluidState wetMixture(double p, double T, const if97::Properties& f, const if97::Properties& g,
                      double x) {
    FluidState st;
    st.p = p;
    st.T = T;
    st.rho = 1 / (f.v + x * (g.v - f.v));
    st.u = f.u + x * (g.u - f.u);
    st.h = f.h + x * (g.h - f.h);
    st.s = f.s + x * (g.s - f.s);
    st.quality = x;
    st.flowExponent = kSaturatedExponent;
    return st;
}

Start idealGasStart(double v, double u) {
    // Steam near its triple point, warmed at a typical c_v.
    const double T = std::clamp(kTmin + (u - 2.3745e6) / 1450, kTmin, kTmax);
    return {R * T / v, T};
}

namespace {
// The phase's state at (p, T) moved to first order by the last Newton step.
FluidState finishSingle(double p, double T, const if97::Properties& P, double dp, double dT,
                        double exponent) {
    FluidState st;
    st.p = p + dp;
    st.T = T + dT;
    const double v = P.v + P.dvdT * dT + P.dvdp * dp;
    st.rho = 1 / v;
    st.u = P.u + P.dudT * dT + P.dudp * dp;
    st.h = st.u + st.p * v;
    st.s = P.s + P.cp / T * dT - P.dvdT * dp;
    st.quality = -1;
    st.flowExponent = exponent;
    return st;
}
} // namespace

bool vapourNewton(double v, double u, double p0, double T0, int maxIterations, FluidState& st,
                  bool& frozen) {
    // In (ln p, T): ln v is nearly linear in ln p, so the vapour's Newton
    // steps are nearly exact wherever it is nearly a perfect gas.
    double lp = std::log(std::max(p0, 1e-300));
    double T = std::clamp(T0, kTmin, kTmax);
    const double lv = std::log(v);
    frozen = false;
    for (int it = 0; it < maxIterations; ++it) {
        const double p = std::exp(lp);
        const if97::Properties P = if97::region2(p, T);
        const double RT = R * T;
        const double r1 = std::log(P.v) - lv;
        const double r2 = (P.u - u) / RT;
        const double a11 = p * P.dvdp / P.v, a12 = P.dvdT / P.v;
        const double a21 = p * P.dudp / RT, a22 = P.dudT / RT;
        double dlp, dT;
        if (frozen) {
            dlp = -r1 / a11;
            dT = 0;
        } else {
            const double det = a11 * a22 - a12 * a21;
            dlp = -(r1 * a22 - a12 * r2) / det;
            dT = -(a11 * r2 - a21 * r1) / det;
        }
        if (!std::isfinite(dlp) || !std::isfinite(dT)) {
            st = vapourState(p, T, P);
            return false;
        }
        const double scale = std::min(
            {1.0, 1 / std::max(std::abs(dlp), 1e-300), 0.25 * T / std::max(std::abs(dT), 1e-300)});
        dlp *= scale;
        dT *= scale;
        double Tn = T + dT;
        if (Tn > kTmax || Tn < kTmin) {
            const double bound = Tn > kTmax ? kTmax : kTmin;
            frozen = frozen || T == bound; // pushed past it from it: beyond region 2
            Tn = bound;
            dT = Tn - T;
        }
        if (scale == 1 && std::abs(dlp) <= kStepTolerance && std::abs(dT) <= kStepTolerance * T) {
            st = finishSingle(p, T, P, p * dlp, dT, kSuperheatedExponent);
            return true;
        }
        lp += dlp;
        T = Tn;
    }
    const double p = std::exp(lp);
    st = vapourState(p, T, if97::region2(p, T));
    return false;
}

bool liquidNewton(double v, double u, double p0, double T0, int maxIterations, FluidState& st) {
    double p = std::clamp(p0, 1.0, if97::kMaxPressure);
    double T = std::clamp(T0, kTmin, kWetMaxTemperature);
    for (int it = 0; it < maxIterations; ++it) {
        const if97::Properties P = if97::region1(p, T);
        const double RT = R * T;
        const double r1 = (P.v - v) / v;
        const double r2 = (P.u - u) / RT;
        const double a11 = P.dvdp / v, a12 = P.dvdT / v;
        const double a21 = P.dudp / RT, a22 = P.dudT / RT;
        const double det = a11 * a22 - a12 * a21;
        double dp = -(r1 * a22 - a12 * r2) / det;
        double dT = -(a11 * r2 - a21 * r1) / det;
        if (!std::isfinite(dp) || !std::isfinite(dT)) {
            st = liquidState(p, T, P);
            return false;
        }
        const double scale = std::min(
            {1.0, 20e6 / std::max(std::abs(dp), 1e-300), 50 / std::max(std::abs(dT), 1e-300)});
        dp *= scale;
        dT *= scale;
        const double pn = std::clamp(p + dp, 1.0, if97::kMaxPressure);
        const double Tn = std::clamp(T + dT, kTmin, kWetMaxTemperature);
        const bool unbounded = pn == p + dp && Tn == T + dT;
        if (scale == 1 && unbounded && std::abs(dp) <= kStepTolerance * (p + 1e6) &&
            std::abs(dT) <= kStepTolerance * T) {
            st = finishSingle(p, T, P, dp, dT, kSaturatedExponent);
            return true;
        }
        p = pn;
        T = Tn;
    }
    st = liquidState(p, T, if97::region1(p, T));
    return false;
}

namespace {
// The wet state at S moved to first order by the last step d of T.
FluidState finishWet(const Saturation& S, double v, double d) {
    FluidState st;
    st.T = S.T + d;
    st.p = S.p + S.dpdT * d;
    const double vf = S.f.v + S.dvf * d, vg = S.g.v + S.dvg * d;
    const double uf = S.f.u + S.duf * d, ug = S.g.u + S.dug * d;
    const double sf = S.f.s + S.dsf * d, sg = S.g.s + S.dsg * d;
    const double x = (v - vf) / (vg - vf);
    st.rho = 1 / v;
    st.u = uf + x * (ug - uf);
    st.h = st.u + st.p * v;
    st.s = sf + x * (sg - sf);
    st.quality = x;
    st.flowExponent = kSaturatedExponent;
    return st;
}
} // namespace

bool wetNewton(double v, double u, double T0, double lo, double hi, bool bracketed,
               FluidState& st) {
    double T = std::clamp(T0, lo, hi);
    const int maxIterations = bracketed ? kColdIterations : kWarmIterations;
    for (int it = 0; it < maxIterations; ++it) {
        const Saturation S = saturation(T);
        const double dv = S.g.v - S.f.v, du = S.g.u - S.f.u;
        const double x = (v - S.f.v) / dv;
        const double G = S.f.u + x * du - u;
        // dG/dT: the mixture's c_v along the isochore, positive.
        const double slope = S.duf + x * (S.dug - S.duf) - du / dv * (S.dvf + x * (S.dvg - S.dvf));
        if (bracketed) {
            if (G < 0)
                lo = T;
            else
                hi = T;
        }
        const double step = -G / slope;
        const bool inside = slope > 0 && T + step >= lo && T + step <= hi;
        if (inside && std::abs(step) <= kStepTolerance * T) {
            st = finishWet(S, v, step);
            return true;
        }
        if (!inside && !bracketed) return false;
        if (bracketed && hi - lo <= kStepTolerance * T) {
            // The bracket closed on one of its ends: the root lies beyond it.
            st = finishWet(S, v, 0);
            return relativelyNear(st.u, u, R * T, 1e-6);
        }
        T = inside ? T + step : 0.5 * (lo + hi);
    }
    st = finishWet(saturation(T), v, 0);
    return false;
}

FluidState vapourFrom(double v, double u, Start start) {
    FluidState st;
    bool frozen = false;
    const bool settled = vapourNewton(v, u, start.p, start.T, kColdIterations, st, frozen);
    if (!settled || frozen || !inRegion2(st.p, st.T, 1e-6)) {
        if (st.T > kWetMaxTemperature && st.T <= if97::kB23MaxTemperature &&
            st.p > if97::b23Pressure(st.T)) {
            // Region 3: the nearest region-2 state at this temperature.
            const double p = if97::b23Pressure(st.T);
            st = vapourState(p, st.T, if97::region2(p, st.T));
        }
        st.outOfRange = true;
    }
    return st;
}

FluidState liquidFrom(double v, double u, Start start) {
    FluidState st;
    const bool settled = liquidNewton(v, u, start.p, start.T, kColdIterations, st);
    if (!settled || st.p < if97::saturationPressure(st.T) * (1 - 1e-6)) st.outOfRange = true;
    return st;
}

FluidState wetBracketed(double v, double u, double hi) {
    FluidState st;
    if (!wetNewton(v, u, hi, kTmin, hi, true, st)) st.outOfRange = true;
    st.quality = std::clamp(st.quality, 0.0, 1.0);
    return st;
}

double vapourLineTemperature(double v) {
    // A start from the perfect gas: T = T_s(R T / v), twice.
    double T = 373.15;
    for (int k = 0; k < 2; ++k)
        T = if97::saturationTemperature(
            std::clamp(R * T / v, if97::kMinPressure, wetMaxPressure()));
    const double lv = std::log(v);
    const auto f = [lv](double t) {
        const double p = if97::saturationPressure(t);
        const double dpdT = if97::saturationPressureSlope(t);
        const if97::Properties g = if97::region2(p, t);
        return std::pair{std::log(g.v) - lv, (g.dvdT + dpdT * g.dvdp) / g.v};
    };
    return bracketedRoot(f, kTmin, kWetMaxTemperature, T, false);
}

double liquidLineTemperature(double v) {
    const auto f = [v](double t) {
        const double p = if97::saturationPressure(t);
        const double dpdT = if97::saturationPressureSlope(t);
        const if97::Properties l = if97::region1(p, t);
        return std::pair{l.v / v - 1, (l.dvdT + dpdT * l.dvdp) / v};
    };
    return bracketedRoot(f, kTmin, kWetMaxTemperature, 450, true);
}

namespace {
// The state of the phase at p whose entropy is s, T in [lo, hi].
template <class Region>
FluidState fromEntropy(double p, double s, double lo, double hi, Region region, double exponent) {
    const if97::Properties at = region(p, lo);
    // Entropy grows about as c_p ln T.
    const double guess = lo * std::exp(std::clamp((s - at.s) / at.cp, -5.0, 5.0));
    const auto f = [&](double t) {
        const if97::Properties P = region(p, t);
        return std::pair{P.s - s, P.cp / t};
    };
    const double T = bracketedRoot(f, lo, hi, guess, true);
    FluidState st = single(p, T, region(p, T), exponent);
    st.outOfRange = !relativelyNear(st.s, s, R, 1e-9);
    return st;
}
} // namespace

FluidState vapourFromEntropy(double p, double s, double Tlo) {
    return fromEntropy(p, s, Tlo, kTmax, if97::region2, kSuperheatedExponent);
}

FluidState liquidFromEntropy(double p, double s, double Thi) {
    return fromEntropy(p, s, kTmin, Thi, if97::region1, kSaturatedExponent);
}

} // namespace corvellan::steam::steamsolve
