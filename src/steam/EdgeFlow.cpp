#include "steam/EdgeFlow.h"

#include "steam/Indicator.h"

#include <cmath>

namespace corvellan::steam {

namespace {

// With z = 1 - p_d/p_u the flow function of the nozzle is
//   psi(z) = sqrt(K f), f = r^(2/n) - r^((n+1)/n), r = 1 - z, K = 2n/(n-1),
// which goes as sqrt(2z) as the pressures meet. Written as
//   G(z) = chi(z) z (z^2 + eps^2)^(-1/4), chi = sqrt(K f / z),
// it is psi times the smoothing sqrt(z / sqrt(z^2 + eps^2)), and chi is
// smooth down to z = 0, where f / z tends to (n-1)/n.
struct Nozzle {
    double n, K, a, c1, c2, series; // series: d(f/z)/dz at z = 0
    double eps;

    Nozzle(double n_, double eps_) : n(n_), eps(eps_) {
        K = 2 * n / (n - 1);
        a = (n - 1) / n;
        c1 = 2 / n;
        c2 = (n + 1) / n;
        series = (c1 * (c1 - 1) - c2 * (c2 - 1)) / 2;
    }
    // f(1 - z) / z, accurate however small z is.
    double fOverZ(double z) const {
        if (z <= 0) return a;
        const double l = std::log1p(-z);
        return std::exp(c1 * l) * -std::expm1(a * l) / z;
    }
    double fOverZSlope(double z) const {
        if (z < 1e-4) return series;
        const double r = 1 - z;
        const double f = std::pow(r, c1) - std::pow(r, c2);
        const double df = -c1 * std::pow(r, c1 - 1) + c2 * std::pow(r, c2 - 1);
        return (df * z - f) / (z * z);
    }
    // G and dG/dz.
    void value(double z, double& G, double& dG) const {
        const double e2 = eps * eps;
        const double w = std::pow(z * z + e2, -0.25);
        const double g = fOverZ(z);
        const double chi = std::sqrt(K * g);
        const double dchi = K * fOverZSlope(z) / (2 * chi);
        G = chi * z * w;
        dG = dchi * z * w + chi * w * (1 - z * z / (2 * (z * z + e2)));
    }
};

} // namespace

double criticalPressureRatio(double n) {
    return std::pow(2 / (n + 1), n / (n - 1));
}

EdgeFlowValue edgeFlowWithSlopes(double area, double pu, double rhou, double pd, double n,
                                 double smoothing) {
    EdgeFlowValue v;
    if (!(area > 0) || !(pu > 0) || !(rhou > 0) || !(pd < pu)) return v;
    const Nozzle nz(n, smoothing);
    const double rStar = criticalPressureRatio(n);
    const double q = pd > 0 ? pd / pu : 0;
    const double z = 1 - q;
    // Pressures equal to double precision: no flow (without smoothing the
    // slope there is unbounded).
    if (!(z > 0) && !(smoothing > 0)) return v;
    double G = 0, dGdz = 0;
    if (q <= rStar) {
        // Choked: the flow no longer feels the downstream pressure (the
        // smoothing is 1 to far below double precision here).
        double unused = 0;
        nz.value(1 - rStar, G, unused);
    } else {
        nz.value(z, G, dGdz);
    }
    const double root = std::sqrt(pu * rhou);
    v.mdot = area * root * G;
    // dz/dpd = -1/pu, dz/dpu = pd/pu^2.
    v.dpd = -area * root * dGdz / pu;
    v.dpu = area * (0.5 * std::sqrt(rhou / pu) * G + root * dGdz * q / pu);
    v.drhou = area * 0.5 * std::sqrt(pu / rhou) * G;
    return v;
}

double edgeFlow(double area, double pu, double rhou, double pd, double n, double smoothing) {
    return edgeFlowWithSlopes(area, pu, rhou, pd, n, smoothing).mdot;
}

} // namespace corvellan::steam
