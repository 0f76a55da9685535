#include "steam/CylinderEnd.h"

#include "steam/EdgeFlow.h"

#include <algorithm>
#include <cmath>

namespace corvellan::steam {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadToDeg = 180 / kPi;

double wrapDegrees(double a) {
    if (!std::isfinite(a)) return 0;
    a = std::fmod(a, 360.0);
    if (a < 0) a += 360;
    return a >= 360 ? 0 : a;
}

} // namespace

CylinderEnd::CylinderEnd(const EndSetup& s, const PortMotion& motion,
                         const PistonKinematics& piston, const Fluid& fluid,
                         const Reservoirs& reservoirs)
    : setup_(s), motion_(motion), piston_(piston), fluid_(fluid), res_(reservoirs) {
    steamEdge_ = s.front ? FrontSteamEdge : RearSteamEdge;
    exhaustEdge_ = s.front ? FrontExhaustEdge : RearExhaustEdge;
    const double vmax = sweptVolume() * (1 + s.clearance);
    M_ = res_.chest.rho * vmax;
    E_ = M_ * res_.chest.h;
    if (!(M_ > 0) || !std::isfinite(M_)) M_ = 1;
    if (!(E_ > 0) || !std::isfinite(E_)) E_ = 1;
}

double CylinderEnd::driverAngle(double phi) const {
    const double deg = phi * kRadToDeg;
    return wrapDegrees(setup_.forward ? deg : -deg);
}

double CylinderEnd::phiAt(double a) const {
    a = wrapDegrees(a);
    return (setup_.forward ? a : (a == 0 ? 0 : 360 - a)) / kRadToDeg;
}

double CylinderEnd::fraction(double phi) const {
    return piston_.fraction(driverAngle(phi));
}

double CylinderEnd::volume(double phi) const {
    const double x = fraction(phi);
    return sweptVolume() * (setup_.clearance + (setup_.front ? x : 1 - x));
}

double CylinderEnd::volumeRate(double phi) const {
    const double rate = piston_.fractionRate(driverAngle(phi)) * (setup_.forward ? 1 : -1);
    return sweptVolume() * (setup_.front ? rate : -rate);
}

OdeVector CylinderEnd::exhaustFilled(double phi) const {
    OdeVector y(kEndStates, 0.0);
    y[Phase] = phi;
    const double m = res_.exhaust.rho * volume(phi);
    y[Mass] = m / M_;
    y[Energy] = m * res_.exhaust.u / E_;
    return y;
}

double CylinderEnd::pressure(const OdeVector& y, double phi) const {
    const double m = y[Mass] * M_, U = y[Energy] * E_;
    const FluidState st = fluid_.fromDensityEnergy(m / volume(phi), U / m,
                                                   haveHint_ ? &hint_ : nullptr);
    return st.p;
}

std::vector<double> CylinderEnd::kinks() const {
    std::vector<double> out;
    for (int edge : {steamEdge_, exhaustEdge_})
        for (double level : {0.0, setup_.portWidth})
            for (double a : motion_.crossings(edge, level))
                out.push_back(phiAt(a));
    std::sort(out.begin(), out.end());
    return out;
}

// Everything in unscaled SI per second first, then scaled per radian. With
// J, also the slopes by the state (J) and by phi at fixed state (dphi): the
// volume, its rate and the port areas move with phi.
void CylinderEnd::evaluate(const double* y, double phi, double* dy, double (*J)[2],
                           double* dphi) const {
    const double m = std::max(y[Mass] * M_, 1e-300);
    const double U = y[Energy] * E_;
    const double w = setup_.omega;
    const double V = volume(phi);
    const double Vphi = volumeRate(phi);
    const double dVdt = Vphi * w;
    const double rho = m / V, u = U / m;
    const FluidState st = fluid_.fromDensityEnergy(rho, u, haveHint_ ? &hint_ : nullptr);
    hint_ = st;
    haveHint_ = true;
    const double p = st.p, h = st.h;

    // The fluid's slopes p_rho (at constant u) and p_u (at constant rho).
    double prho = 0, pu = 0;
    if (J) {
        if (setup_.perfectGas) {
            prho = p / rho;
            pu = p / u;
        } else {
            const double dr = 1e-7 * rho, du = 1e-7 * std::max(std::fabs(u), 1e3);
            prho = (fluid_.fromDensityEnergy(rho + dr, u, &st).p - p) / dr;
            pu = (fluid_.fromDensityEnergy(rho, u + du, &st).p - p) / du;
        }
    }
    // By the state (m, U): rho_m = 1/V, u_m = -u/m, u_U = 1/m; and by the
    // volume at fixed state: rho_V = -rho/V.
    const double pm = prho / V - pu * u / m, pU = pu / m;
    const double hrho = prho / rho - p / (rho * rho), hu = 1 + pu / rho;
    const double hm = hrho / V - hu * u / m, hU = hu / m;
    const double rhoV = -rho / V, pV = prho * rhoV, hV = hrho * rhoV;
    double Vphi2 = 0;
    if (J) {
        const double e = 1e-5;
        Vphi2 = (volumeRate(phi + e) - volumeRate(phi - e)) / (2 * e);
    }

    double f[kFlowStates] = {};
    double d[kFlowStates][2] = {}; // by m and U, unscaled
    double t[kFlowStates] = {};    // by phi, unscaled

    const double angle = driverAngle(phi);
    const double dAngle = (setup_.forward ? 1 : -1) * kRadToDeg; // degrees per radian of phi
    // Flow into the end from a reservoir (or out to it), counted in the
    // running integrals (positive into the end for the chest, out of it for
    // the exhaust: `sign`).
    auto edge = [&](int e, const FluidState& r, int massIntegral, int energyIntegral, double sign) {
        const double open = motion_.opening(e, angle);
        if (!(open > 0)) return;
        const bool full = open >= setup_.portWidth;
        const double a = setup_.flowBreadth * std::min(open, setup_.portWidth) * setup_.lengthScale;
        // d(area)/d(phi) over the area.
        double aRate = 0;
        if (J && !full)
            aRate = motion_.openingSlope(e, angle) * dAngle / std::min(open, setup_.portWidth);
        double F = 0, Fm = 0, FU = 0, FV = 0, H = 0, Hm = 0, HU = 0, HV = 0;
        if (r.p > p) {
            const EdgeFlowValue v = edgeFlowWithSlopes(a, r.p, r.rho, p, r.flowExponent, setup_.flowSmoothing);
            F = v.mdot;
            Fm = v.dpd * pm, FU = v.dpd * pU, FV = v.dpd * pV;
            H = F * r.h, Hm = Fm * r.h, HU = FU * r.h, HV = FV * r.h;
        } else {
            const EdgeFlowValue v = edgeFlowWithSlopes(a, p, rho, r.p, st.flowExponent, setup_.flowSmoothing);
            F = -v.mdot;
            Fm = -(v.dpu * pm + v.drhou / V), FU = -v.dpu * pU, FV = -(v.dpu * pV + v.drhou * rhoV);
            H = F * h, Hm = Fm * h + F * hm, HU = FU * h + F * hU, HV = FV * h + F * hV;
        }
        // By phi: through the volume and through the area (the flow is
        // proportional to it).
        const double Fphi = FV * Vphi + F * aRate, Hphi = HV * Vphi + H * aRate;
        f[Mass] += F, f[Energy] += H;
        f[massIntegral] += sign * F, f[energyIntegral] += sign * H;
        d[Mass][0] += Fm, d[Mass][1] += FU;
        d[Energy][0] += Hm, d[Energy][1] += HU;
        d[massIntegral][0] += sign * Fm, d[massIntegral][1] += sign * FU;
        d[energyIntegral][0] += sign * Hm, d[energyIntegral][1] += sign * HU;
        t[Mass] += Fphi, t[Energy] += Hphi;
        t[massIntegral] += sign * Fphi, t[energyIntegral] += sign * Hphi;
    };
    edge(steamEdge_, res_.chest, Admitted, EnergyIn, 1);
    edge(exhaustEdge_, res_.exhaust, Exhausted, EnergyOut, -1);
    f[Energy] -= p * dVdt;
    f[WorkDone] = p * dVdt;
    d[Energy][0] -= pm * dVdt, d[Energy][1] -= pU * dVdt;
    d[WorkDone][0] = pm * dVdt, d[WorkDone][1] = pU * dVdt;
    const double workPhi = (pV * Vphi * Vphi + p * Vphi2) * w;
    t[Energy] -= workPhi;
    t[WorkDone] = workPhi;

    const double scale[kFlowStates] = {M_, E_, E_, M_, M_, E_, E_};
    for (int i = 0; i < kFlowStates; ++i) {
        dy[i] = f[i] / (w * scale[i]);
        if (J) {
            J[i][0] = d[i][0] * M_ / (w * scale[i]);
            J[i][1] = d[i][1] * E_ / (w * scale[i]);
            dphi[i] = t[i] / (w * scale[i]);
        }
    }
}

void CylinderEnd::derivative(const OdeVector& y, OdeVector& dy, double) const {
    double out[kFlowStates];
    evaluate(&y[0], y[Phase], out, nullptr, nullptr);
    for (int i = 0; i < kFlowStates; ++i)
        dy[i] = out[i];
    dy[Phase] = 1;
}

void CylinderEnd::jacobian(const OdeVector& y, OdeMatrix& J, double, OdeVector& dfdt) const {
    double f0[kFlowStates], d[kFlowStates][2], t[kFlowStates];
    evaluate(&y[0], y[Phase], f0, d, t);
    for (int i = 0; i < kEndStates; ++i) {
        for (int j = 0; j < kEndStates; ++j)
            J(i, j) = 0;
        dfdt[i] = 0;
    }
    for (int i = 0; i < kFlowStates; ++i) {
        J(i, Mass) = d[i][0];
        J(i, Energy) = d[i][1];
        J(i, Phase) = t[i];
    }
}

} // namespace corvellan::steam
