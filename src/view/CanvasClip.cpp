#include "view/CanvasClip.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace corvellan {

namespace {

constexpr double kTwoPi = 6.283185307179586476925286766559;
using Interval = std::pair<double, double>;
using IntervalSet = std::vector<Interval>;

// Adds [lo, hi] (hi - lo <= 2 pi) to the set, folded into [0, 2 pi].
void addFolded(IntervalSet& set, double lo, double hi) {
    if (hi - lo >= kTwoPi) {
        set.push_back({0, kTwoPi});
        return;
    }
    double shift = std::floor(lo / kTwoPi) * kTwoPi;
    lo -= shift;
    hi -= shift;
    if (hi <= kTwoPi) {
        set.push_back({lo, hi});
    } else {
        set.push_back({lo, kTwoPi});
        set.push_back({0, hi - kTwoPi});
    }
}

// Angles t where centre + radius * cos(t) lies in [lo, hi].
IntervalSet cosineWithin(double centre, double radius, double lo, double hi) {
    IntervalSet set;
    if (!(radius > 0)) {
        if (centre >= lo && centre <= hi) set.push_back({0, kTwoPi});
        return set;
    }
    double u0 = (lo - centre) / radius, u1 = (hi - centre) / radius;
    if (u0 > 1 || u1 < -1) return set;
    double alpha = std::acos(std::clamp(u1, -1.0, 1.0));
    double beta = std::acos(std::clamp(u0, -1.0, 1.0));
    set.push_back({alpha, beta});
    set.push_back({kTwoPi - beta, kTwoPi - alpha});
    return set;
}

// Angles t where centre - radius * sin(t) (rows grow downwards) lies in [lo, hi].
IntervalSet sineWithin(double centre, double radius, double lo, double hi) {
    IntervalSet set;
    if (!(radius > 0)) {
        if (centre >= lo && centre <= hi) set.push_back({0, kTwoPi});
        return set;
    }
    double v0 = (centre - hi) / radius, v1 = (centre - lo) / radius;
    if (v0 > 1 || v1 < -1) return set;
    double gamma = std::asin(std::clamp(v0, -1.0, 1.0));
    double delta = std::asin(std::clamp(v1, -1.0, 1.0));
    addFolded(set, gamma, delta);
    addFolded(set, kTwoPi / 2 - delta, kTwoPi / 2 - gamma);
    return set;
}

// Sorted, with intervals that touch or overlap joined.
IntervalSet merged(IntervalSet set) {
    std::sort(set.begin(), set.end());
    IntervalSet out;
    for (const Interval& iv : set) {
        if (!out.empty() && iv.first <= out.back().second)
            out.back().second = std::max(out.back().second, iv.second);
        else
            out.push_back(iv);
    }
    return out;
}

IntervalSet intersect(const IntervalSet& a, const IntervalSet& b) {
    IntervalSet out;
    for (const Interval& x : a)
        for (const Interval& y : b) {
            double lo = std::max(x.first, y.first), hi = std::min(x.second, y.second);
            if (lo <= hi) out.push_back({lo, hi});
        }
    return merged(out);
}

} // namespace

ClipRect grownRect(int width, int height, double margin) {
    return {-margin, -margin, width + margin, height + margin};
}

bool clipSegment(double& x1, double& y1, double& x2, double& y2, const ClipRect& r) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return false;
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - r.left, r.right - x1, y1 - r.top, r.bottom - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const double ox = x1, oy = y1;
    if (t1 < 1) {
        x2 = ox + t1 * dx;
        y2 = oy + t1 * dy;
    }
    if (t0 > 0) {
        x1 = ox + t0 * dx;
        y1 = oy + t0 * dy;
    }
    return true;
}

bool lastPixelBefore(long long x1, long long y1, long long x2, long long y2, long long& ex,
                     long long& ey) {
    const long long dx = x2 - x1, dy = y2 - y1;
    const long long n = std::max(std::llabs(dx), std::llabs(dy));
    if (n == 0) return false;
    // The pixel one step before B along the major axis, on the ideal line.
    const long double f = static_cast<long double>(n - 1) / n;
    ex = x1 + std::llround(dx * f);
    ey = y1 + std::llround(dy * f);
    return true;
}

EllipseShape ellipseInBox(long long left, long long top, long long right, long long bottom) {
    EllipseShape e;
    e.cx = (static_cast<double>(left) + static_cast<double>(right) - 1) / 2;
    e.cy = (static_cast<double>(top) + static_cast<double>(bottom) - 1) / 2;
    e.a = std::fabs(static_cast<double>(right) - static_cast<double>(left) - 1) / 2;
    e.b = std::fabs(static_cast<double>(bottom) - static_cast<double>(top) - 1) / 2;
    return e;
}

double radialAngle(const EllipseShape& e, double x, double y) {
    // Scaling the radial by the semi-axes maps it to the parametric angle;
    // multiplying both terms by a * b keeps a flat ellipse well defined.
    return std::atan2(-(y - e.cy) * e.a, (x - e.cx) * e.b);
}

double counterClockwiseSpan(double t1, double t2) {
    double span = std::fmod(t2 - t1, kTwoPi);
    if (span <= 0) span += kTwoPi;
    return span;
}

std::vector<std::vector<std::pair<double, double>>>
visibleArcPolylines(const EllipseShape& e, double t0, double span, const ClipRect& r) {
    std::vector<std::vector<std::pair<double, double>>> out;
    if (!std::isfinite(e.cx) || !std::isfinite(e.cy) || !std::isfinite(e.a) ||
        !std::isfinite(e.b) || !std::isfinite(t0) || !std::isfinite(span))
        return out;
    IntervalSet arc;
    addFolded(arc, t0, t0 + std::min(span, kTwoPi));
    IntervalSet vis = intersect(
        intersect(cosineWithin(e.cx, e.a, r.left, r.right), sineWithin(e.cy, e.b, r.top, r.bottom)),
        arc);
    const double step = std::min(0.05, 2.0 / std::max({e.a, e.b, 1.0}));
    for (const Interval& iv : vis) {
        const double len = iv.second - iv.first;
        const int n = static_cast<int>(std::min(20000.0, std::ceil(len / step))) + 1;
        std::vector<std::pair<double, double>> pts;
        for (int i = 0; i <= n; ++i) {
            const double t = iv.first + len * i / n;
            // Rounding at the ends of an interval may step a hair outside.
            pts.push_back({std::clamp(e.cx + e.a * std::cos(t), r.left, r.right),
                           std::clamp(e.cy - e.b * std::sin(t), r.top, r.bottom)});
        }
        out.push_back(std::move(pts));
    }
    return out;
}

} // namespace corvellan
