#include "steam/PortMotion.h"

#include "model/Solver.h"

#include <algorithm>
#include <cmath>

namespace corvellan::steam {

namespace {

constexpr double kStep = 360.0 / PortMotion::kSamples; // degrees
// Harmonics below this fraction of the largest sample are noise of the
// solve's 4-byte reals, or far below what the flow can feel.
constexpr double kHarmonicFloor = 1e-7;

double wrap(double a) {
    if (!std::isfinite(a)) return 0;
    a = std::fmod(a, 360.0);
    if (a < 0) a += 360;
    return a >= 360 ? 0 : a;
}

} // namespace

PortMotion::PortMotion(Model& m, Real revArmPos) {
    m.gear.RevArmPos = revArmPos;
    m.error.ErrorBeep = true; // let the guards report, whatever the user set
    m.error.GeometryError = false;
    const CylinderDimensions& c = m.cyl;
    std::array<double, kSamples> cen{};
    for (int k = 0; k < kSamples; ++k) {
        m.gear.DriverAngle = static_cast<Real>(k * kStep);
        solve(m);
        // ValveCen as the lap constants hold it, without the rounding to a
        // 4-byte real on the way.
        cen[k] = static_cast<double>(static_cast<Ext>(c.ValveStem) + m.pivots.X[4] -
                                     c.CylCtrToDriverCtr);
    }
    geometryError_ = m.error.GeometryError;

    // The discrete Fourier series of the samples, harmonic by harmonic with
    // the angles' sines and cosines by rotation.
    double mean = 0, scale = 0;
    for (double v : cen) {
        mean += v;
        scale = std::max(scale, std::fabs(v));
    }
    mean_ = mean / kSamples;
    std::vector<double> a(kMaxHarmonics + 1), b(kMaxHarmonics + 1);
    for (int h = 1; h <= kMaxHarmonics; ++h) {
        const double w = 2 * 3.14159265358979323846 * h / kSamples;
        const double cw = std::cos(w), sw = std::sin(w);
        double ck = 1, sk = 0, sa = 0, sb = 0;
        for (int k = 0; k < kSamples; ++k) {
            sa += cen[k] * ck;
            sb += cen[k] * sk;
            const double cn = ck * cw - sk * sw;
            sk = sk * cw + ck * sw;
            ck = cn;
        }
        a[h] = 2 * sa / kSamples;
        b[h] = 2 * sb / kSamples;
    }
    // Keep the harmonics up to the last one above the samples' own
    // resolution (the solve works in 4-byte reals).
    int last = 0;
    for (int h = 1; h <= kMaxHarmonics; ++h)
        if (std::hypot(a[h], b[h]) > kHarmonicFloor * std::max(scale, 1e-30)) last = h;
    cos_.assign(a.begin() + 1, a.begin() + 1 + last);
    sin_.assign(b.begin() + 1, b.begin() + 1 + last);
    value_.resize(kTable + 1);
    slope_.resize(kTable + 1);
    for (int k = 0; k <= kTable; ++k) {
        const double angle = 360.0 * k / kTable;
        value_[k] = seriesValue(angle);
        slope_[k] = seriesSlope(angle) * (360.0 / kTable);
    }

    // The openings as the valve computation writes them.
    const double E = static_cast<double>(c.ExhaustPortWidth) / 2;
    sign_ = {-1, 1, 1, -1};
    offset_[FrontSteamEdge] = E + c.BridgeWidthFront + c.SteamPortWidthFront - c.ValveLengthFrontHalf;
    offset_[FrontExhaustEdge] = c.ValveExhCavityFrontHalf - E - c.BridgeWidthFront;
    offset_[RearSteamEdge] = E + c.BridgeWidthRear + c.SteamPortWidthRear - c.ValveLengthRearHalf;
    offset_[RearExhaustEdge] = c.ValveExhCavityRearHalf - E - c.BridgeWidthRear;
}

namespace {
constexpr double kDeg = 3.14159265358979323846 / 180;
}

double PortMotion::valvePosition(double angleDeg) const {
    const double a = wrap(angleDeg) * (kTable / 360.0);
    const int k = std::clamp(static_cast<int>(a), 0, kTable - 1);
    const double t = a - k, t2 = t * t, t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * value_[k] + (t3 - 2 * t2 + t) * slope_[k] +
           (-2 * t3 + 3 * t2) * value_[k + 1] + (t3 - t2) * slope_[k + 1];
}

double PortMotion::valveSlope(double angleDeg) const {
    const double a = wrap(angleDeg) * (kTable / 360.0);
    const int k = std::clamp(static_cast<int>(a), 0, kTable - 1);
    const double t = a - k, t2 = t * t;
    const double d = (6 * t2 - 6 * t) * value_[k] + (3 * t2 - 4 * t + 1) * slope_[k] +
                     (-6 * t2 + 6 * t) * value_[k + 1] + (3 * t2 - 2 * t) * slope_[k + 1];
    return d * (kTable / 360.0);
}

double PortMotion::seriesValue(double angleDeg) const {
    const double t = angleDeg * kDeg;
    const double c1 = std::cos(t), s1 = std::sin(t);
    double ck = c1, sk = s1, v = mean_;
    for (std::size_t h = 0; h < cos_.size(); ++h) {
        v += cos_[h] * ck + sin_[h] * sk;
        const double cn = ck * c1 - sk * s1;
        sk = sk * c1 + ck * s1;
        ck = cn;
    }
    return v;
}

double PortMotion::seriesSlope(double angleDeg) const {
    const double t = angleDeg * kDeg;
    const double c1 = std::cos(t), s1 = std::sin(t);
    double ck = c1, sk = s1, v = 0;
    for (std::size_t h = 0; h < cos_.size(); ++h) {
        v += (h + 1) * (sin_[h] * ck - cos_[h] * sk);
        const double cn = ck * c1 - sk * s1;
        sk = sk * c1 + ck * s1;
        ck = cn;
    }
    return v * kDeg;
}

double PortMotion::opening(int edge, double angleDeg) const {
    return sign_[edge] * valvePosition(angleDeg) + offset_[edge];
}

std::vector<double> PortMotion::crossings(int edge, double level) const {
    std::vector<double> out;
    auto f = [&](double a) { return opening(edge, a) - level; };
    for (int k = 0; k < kSamples; ++k) {
        double lo = k * kStep, hi = (k + 1) * kStep;
        double flo = f(lo), fhi = f(hi);
        // The cubic of one interval can cross twice where it turns; split it
        // at its turning point, where the slope changes sign.
        double mid = -1;
        const double s0 = valveSlope(lo), s1 = valveSlope(hi);
        if ((s0 > 0) != (s1 > 0)) {
            double a = lo, b = hi;
            for (int i = 0; i < 60 && b - a > 1e-11; ++i) {
                const double m = (a + b) / 2;
                ((valveSlope(m) > 0) == (s0 > 0) ? a : b) = m;
            }
            mid = (a + b) / 2;
        }
        auto bisect = [&](double a, double b, double fa) {
            for (int i = 0; i < 60 && b - a > 1e-11; ++i) {
                const double m = (a + b) / 2;
                const double fm = f(m);
                if ((fm > 0) == (fa > 0))
                    a = m, fa = fm;
                else
                    b = m;
            }
            out.push_back(wrap((a + b) / 2));
        };
        if (mid > lo && mid < hi) {
            const double fm = f(mid);
            if ((flo > 0) != (fm > 0)) bisect(lo, mid, flo);
            if ((fm > 0) != (fhi > 0)) bisect(mid, hi, fm);
        } else if ((flo > 0) != (fhi > 0)) {
            bisect(lo, hi, flo);
        }
    }
    return out;
}

} // namespace corvellan::steam
