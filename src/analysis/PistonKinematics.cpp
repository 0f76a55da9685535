#include "analysis/PistonKinematics.h"

#include <cmath>

namespace corvellan {

namespace {
constexpr double kRad = 3.14159265358979323846 / 180;

double wrapDegrees(double a) {
    a = std::fmod(a, 360.0);
    if (a < 0) a += 360;
    return a >= 360 ? 0 : a;
}
} // namespace

double PistonKinematics::crossheadX(double angleDeg) const {
    const double t = angleDeg * kRad;
    const double y = -crank * std::sin(t) - offset; // crank pin above the cylinder line
    const double w = rod * rod - y * y;
    return crank * std::cos(t) + std::sqrt(std::fabs(w));
}

double PistonKinematics::fractionAt(double x) const {
    // A stroke lost in the rounding of the crosshead's distance (a main rod
    // of 1e30) leaves the piston nowhere: no figure, not a made-up 0.
    const double span = frontX - rearX;
    if (!(std::fabs(span) > 1e-12 * std::fabs(frontX))) return std::nan("");
    return (frontX - x) / span;
}

double PistonKinematics::fractionRate(double angleDeg) const {
    const double t = angleDeg * kRad;
    const double y = -crank * std::sin(t) - offset;
    const double w = std::fabs(rod * rod - y * y);
    const double dy = -crank * std::cos(t);
    const double dx = -crank * std::sin(t) - (w > 0 ? y * dy / std::sqrt(w) : 0);
    const double span = frontX - rearX;
    return std::fabs(span) > 0 ? -dx / span : 0;
}

PistonKinematics pistonKinematics(const Model& m) {
    PistonKinematics k;
    k.crank = static_cast<double>(m.frame.Stroke) / 2;
    k.rod = m.frame.MainRod;
    k.offset = static_cast<double>(m.pivots.Y[3]) - m.pivots.Y[1];
    const double r = std::fabs(k.crank), l = k.rod, e = k.offset;
    k.valid = std::isfinite(r) && std::isfinite(l) && std::isfinite(e) && r > 0 &&
              l - r > std::fabs(e);
    if (k.valid) {
        // In line: the pin on the ray from the driver centre to the crosshead
        // (front), or on the opposite ray (rear).
        k.frontX = std::sqrt((l + r) * (l + r) - e * e);
        k.rearX = std::sqrt((l - r) * (l - r) - e * e);
        const double s = k.crank > 0 ? 1 : -1;
        k.frontAngle = wrapDegrees(std::atan2(-s * e, s * k.frontX) / kRad);
        k.rearAngle = wrapDegrees(std::atan2(s * e, -s * k.rearX) / kRad);
    } else {
        k.frontAngle = 0;
        k.rearAngle = 180;
        k.frontX = k.crossheadX(0);
        k.rearX = k.crossheadX(180);
    }
    return k;
}

} // namespace corvellan
