#include "steam/Indicator.h"

#include "analysis/PistonKinematics.h"
#include "steam/CylinderEnd.h"
#include "steam/IdealCycle.h"
#include "steam/PortMotion.h"

#include <boost/numeric/odeint/stepper/rosenbrock4.hpp>
#include <boost/numeric/odeint/stepper/rosenbrock4_controller.hpp>

#include <algorithm>
#include <array>
#include <memory>
#include <cmath>

namespace corvellan::steam {

namespace odeint = boost::numeric::odeint;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;
// Boundaries closer than this (radians) are one.
constexpr double kSameAngle = 1e-9;
// Steps per revolution, and per end over all its revolutions, before the
// integration is given up as stuck (a few hundred to a few thousand are
// usual): no gear or condition, however wild, keeps it running long.
constexpr long kMaxStepsPerRevolution = 50000;
constexpr long kMaxStepsPerEnd = 300000;
constexpr double kMinStep = 1e-13; // radians
constexpr int kRevolutionsPerTolerance = 4;
constexpr double kFinestTolerance = 1e-9;

// An accepted step's end, kept over the revolution for the loop.
struct Sample {
    double phi;
    OdeVector y;
};

struct EndRun {
    EndIndicator result;
    int revolutions = 0;
    bool settled = false;
};

// The boundaries of the integration's segments over one revolution: 0, the
// kinks, the events of this end, 2 pi.
std::vector<double> segmentBounds(std::vector<double> points) {
    points.erase(std::remove_if(points.begin(), points.end(),
                                [](double p) { return !std::isfinite(p); }),
                 points.end());
    points.push_back(0);
    points.push_back(kTwoPi);
    for (double& p : points)
        p = std::clamp(p, 0.0, kTwoPi);
    std::sort(points.begin(), points.end());
    std::vector<double> out;
    for (double p : points)
        if (out.empty() || p - out.back() > kSameAngle) out.push_back(p);
    out.back() = kTwoPi;
    return out;
}

// The state at phi from the accepted samples (sorted by phi), by a cubic
// through the two ends with their slopes.
OdeVector interpolate(const CylinderEnd& end, const std::vector<Sample>& samples, double phi) {
    auto it = std::lower_bound(samples.begin(), samples.end(), phi,
                               [](const Sample& s, double v) { return s.phi < v; });
    if (it == samples.end()) return samples.back().y;
    if (it->phi == phi || it == samples.begin()) return it->y;
    const Sample& b = *it;
    const Sample& a = *(it - 1);
    const double h = b.phi - a.phi;
    OdeVector da(kEndStates), db(kEndStates);
    end.derivative(a.y, da, a.phi);
    end.derivative(b.y, db, b.phi);
    const double t = (phi - a.phi) / h, t2 = t * t, t3 = t2 * t;
    OdeVector y(kEndStates);
    for (int i = 0; i < kEndStates; ++i)
        y[i] = (2 * t3 - 3 * t2 + 1) * a.y[i] + (t3 - 2 * t2 + t) * h * da[i] +
               (-2 * t3 + 3 * t2) * b.y[i] + (t3 - t2) * h * db[i];
    return y;
}

// Where the revolutions converge slowly (the steam trapped in the cushion
// near mid gear changes little each turn), the start state of each
// revolution approaches the settled one geometrically. Once three starts
// show a steady ratio, jump to the limit of that geometric series (Aitken's
// extrapolation, on the vector of mass and energy); the revolutions after
// it must still agree before the end counts as settled.
void accelerate(std::vector<std::array<double, 2>>& history, OdeVector& y, int rev,
                int& lastJump) {
    history.push_back({y[Mass], y[Energy]});
    const size_t n = history.size();
    if (n < 3 || rev - lastJump < 3) return;
    const auto& x0 = history[n - 3];
    const auto& x1 = history[n - 2];
    const auto& x2 = history[n - 1];
    const double d0[2] = {x1[0] - x0[0], x1[1] - x0[1]};
    const double d1[2] = {x2[0] - x1[0], x2[1] - x1[1]};
    const double dd = d0[0] * d0[0] + d0[1] * d0[1];
    if (!(dd > 0)) return;
    const double ratio = (d1[0] * d0[0] + d1[1] * d0[1]) / dd;
    const double off = std::hypot(d1[0] - ratio * d0[0], d1[1] - ratio * d0[1]);
    if (!(ratio > 0.05 && ratio < 0.999) || off > 0.05 * std::hypot(d1[0], d1[1])) return;
    const double gain = ratio / (1 - ratio);
    const double m = x2[0] + gain * d1[0], U = x2[1] + gain * d1[1];
    if (!(m > 0) || !(U > 0) || !std::isfinite(m) || !std::isfinite(U)) return;
    y[Mass] = m;
    y[Energy] = U;
    history.push_back({m, U});
    lastJump = rev;
}

EndRun settle(CylinderEnd& end, const std::vector<double>& bounds, const IndicatorOptions& o,
              const Reservoirs& res, std::optional<double> cutOffPhi) {
    using Stepper = odeint::rosenbrock4<double>;
    double tolerance = o.tolerance;
    using Controller = odeint::rosenbrock4_controller<Stepper>;
    auto controller = std::make_unique<Controller>(tolerance, tolerance);
    auto system = std::make_pair(
        [&end](const OdeVector& y, OdeVector& dy, double t) { end.derivative(y, dy, t); },
        [&end](const OdeVector& y, OdeMatrix& J, double t, OdeVector& dfdt) {
            end.jacobian(y, J, t, dfdt);
        });

    EndRun run;
    const double swept = end.sweptVolume();
    // Floors for the relative tests where work or steam are near zero.
    const double workFloor = 1e-3 * (res.chest.p - res.exhaust.p) * swept / end.energyScale();
    const double massFloor = 1e-3 * res.chest.rho * swept / end.massScale();

    EndIndicator& r0 = run.result;
    r0.sweptVolume = swept;
    r0.clearanceVolume = end.clearanceVolume();
    // A gear whose cylinder has no volume (a stroke or bore of 0, or beyond
    // any real number) has nothing to integrate.
    if (!(swept > 0) || !std::isfinite(swept) || !std::isfinite(workFloor) ||
        !std::isfinite(massFloor))
        return run;

    OdeVector y = end.exhaustFilled(0);
    std::vector<Sample> samples;
    double prevWork = 0, prevAdmitted = 0;
    double dt = 1e-3;
    bool failed = false;
    std::vector<std::array<double, 2>> history; // the state at phi = 0, each revolution
    int lastJump = 0, lastTightening = 0;
    long totalSteps = 0;
    for (int rev = 1; rev <= o.maxRevolutions && !failed; ++rev) {
        for (int i = WorkDone; i < kEndStates; ++i)
            y[i] = 0;
        samples.clear();
        samples.push_back({0, y});
        long steps = 0;
        for (size_t s = 0; s + 1 < bounds.size() && !failed; ++s) {
            double phi = bounds[s];
            const double stop = bounds[s + 1];
            y[Phase] = phi;
            while (stop - phi > kSameAngle * 1e-3) {
                double step = std::min(dt, stop - phi);
                const bool capped = step < dt;
                if (controller->try_step(system, y, phi, step) == odeint::success) {
                    if (!capped || step > dt) dt = step;
                    if (stop - phi < kSameAngle * 1e-3) phi = y[Phase] = stop;
                    samples.push_back({phi, y});
                } else {
                    dt = step;
                }
                ++totalSteps;
                if (!(dt > kMinStep) || ++steps > kMaxStepsPerRevolution ||
                    totalSteps > kMaxStepsPerEnd ||
                    !std::isfinite(y[Mass]) || !std::isfinite(y[Energy]) || !(y[Mass] > 0)) {
                    failed = true;
                    break;
                }
            }
        }
        run.revolutions = rev;
        if (failed) break;
        const double W = y[WorkDone], in = y[Admitted], out = y[Exhausted];
        const bool workSettled = rev > 1 && std::fabs(W - prevWork) <=
                                                o.settleTolerance * std::max(std::fabs(W), workFloor);
        const bool steamSettled =
            rev > 1 && std::fabs(in - prevAdmitted) <=
                           o.settleTolerance * std::max(std::fabs(in), massFloor);
        const bool balanced =
            std::fabs(in - out) <= o.settleTolerance * std::max(std::fabs(in), massFloor);
        prevWork = W;
        prevAdmitted = in;
        if (workSettled && steamSettled && balanced) {
            run.settled = true;
            break;
        }
        accelerate(history, y, rev, lastJump);
        // Where the figures wander at the integrator's own error (near mid
        // gear, where much steam goes in and out again for a small net
        // flow) without settling, integrate more closely.
        if (rev - lastTightening >= kRevolutionsPerTolerance && tolerance > kFinestTolerance) {
            tolerance /= 10;
            controller = std::make_unique<Controller>(tolerance, tolerance);
            lastTightening = rev;
        }
    }

    EndIndicator& r = run.result;
    r.sweptVolume = swept;
    r.clearanceVolume = end.clearanceVolume();
    if (failed || samples.empty()) {
        run.settled = false;
        return run;
    }
    const double E = end.energyScale(), M = end.massScale();
    r.work = y[WorkDone] * E;
    r.mep = r.work / swept;
    r.steamAdmitted = y[Admitted] * M;
    r.steamExhausted = y[Exhausted] * M;
    r.energyIn = y[EnergyIn] * E;
    r.energyOut = y[EnergyOut] * E;
    r.peakPressure = 0;
    for (const Sample& s : samples)
        r.peakPressure = std::max(r.peakPressure, end.pressure(s.y, s.phi));
    if (o.loopPoints > 1) {
        r.loop.reserve(o.loopPoints);
        for (int k = 0; k < o.loopPoints; ++k) {
            const double phi = kTwoPi * k / (o.loopPoints - 1);
            const OdeVector yk = interpolate(end, samples, phi);
            LoopPoint pt;
            pt.angle = end.driverAngle(phi);
            if (k == o.loopPoints - 1) pt.angle = samples.size() > 1 && phi > 0 ? 360 : pt.angle;
            pt.fraction = end.fraction(phi);
            pt.volume = end.volume(phi);
            pt.pressure = end.pressure(yk, phi);
            r.peakPressure = std::max(r.peakPressure, pt.pressure);
            r.loop.push_back(pt);
        }
    }
    if (cutOffPhi) r.cutOffPressure = end.pressure(interpolate(end, samples, *cutOffPhi), *cutOffPhi);
    return run;
}

} // namespace

std::unique_ptr<Fluid> makeFluid(const SiConditions& c) {
    if (c.fluid == FluidKind::PerfectGas) return makePerfectGas(c.gamma);
    return makeSteam();
}

Reservoirs makeReservoirs(const SiConditions& c, const Fluid& fluid) {
    Reservoirs r;
    if (c.chestSaturated) {
        r.chest = fluid.saturatedVapour(c.chestPressure);
        // Dry saturated steam is saturated: its exponent is the wet one.
        if (c.fluid == FluidKind::Steam) r.chest.flowExponent = 1.135;
    } else {
        r.chest = fluid.fromPressureTemperature(c.chestPressure, c.chestTemperature);
    }
    r.exhaust = fluid.fromPressureEntropy(c.backPressure, r.chest.s);
    return r;
}

std::vector<SettingIndicator> computeIndicatorSpeeds(Model& scratch, Real revArmPos,
                                                    const std::vector<double>& speeds,
                                                    const SiConditions& conditions,
                                                    const Fluid& fluid, const IndicatorOptions& o) {
    // What does not depend on the speed, once: the events, the valve's
    // motion, the piston and the reservoirs.
    SettingEvents events;
    computeSettingEvents(scratch, revArmPos, events);
    const PortMotion motion(scratch, revArmPos);
    const PistonKinematics piston = pistonKinematics(scratch);
    const Reservoirs res = makeReservoirs(conditions, fluid);

    std::vector<SettingIndicator> results;
    results.reserve(speeds.size());
    for (double speed : speeds) {
        SiConditions c = conditions;
        c.speed = speed;
        c.omega = 2 * kPi * speed / 60;
        SettingIndicator out;
        out.revArmPos = revArmPos;
        out.speed = speed;
        out.events = events;
        out.direction = events.direction;
        out.forward = events.forward;
        out.geometryError = events.geometryError || motion.geometryError();

        const double pi4 = kPi / 4;
        bool settled = true;
        int revolutions = 0;
        for (bool front : {true, false}) {
            EndSetup s;
            s.front = front;
            s.forward = out.forward;
            s.pistonArea = front ? pi4 * c.bore * c.bore
                                 : pi4 * (c.bore * c.bore - c.pistonRodDia * c.pistonRodDia);
            s.stroke = c.stroke;
            s.clearance = front ? c.clearanceFront : c.clearanceRear;
            s.portWidth = (front ? c.steamPortWidthFront : c.steamPortWidthRear) / c.lengthScale;
            s.flowBreadth = c.dischargeCoefficient * c.portBreadth;
            s.lengthScale = c.lengthScale;
            s.omega = c.omega;
            s.perfectGas = c.fluid == FluidKind::PerfectGas;
            s.flowSmoothing = o.flowSmoothing;
            CylinderEnd end(s, motion, piston, fluid, res);

            const EndEvents& ev = front ? events.front : events.rear;
            std::vector<double> points = end.kinks();
            for (const Figure& a : {ev.admissionAngle, ev.cutOffAngle, ev.releaseAngle,
                                    ev.compressionAngle})
                if (a) points.push_back(end.phiAt(*a));
            const std::vector<double> bounds = segmentBounds(points);
            std::optional<double> cutOffPhi;
            if (ev.cutOffAngle) cutOffPhi = end.phiAt(*ev.cutOffAngle);
            EndRun run = settle(end, bounds, o, res, cutOffPhi);
            settled = settled && run.settled;
            revolutions = std::max(revolutions, run.revolutions);
            EndIndicator& r = front ? out.front : out.rear;
            r = std::move(run.result);
            r.ideal = idealCycle(end, ev, fluid, res, o.loopPoints > 1);
        }
        out.settled = settled;
        out.revolutions = revolutions;

        const double W = out.front.work + out.rear.work;
        out.indicatedPower = c.cylinders * W * speed / 60;
        out.steamPerHour =
            c.cylinders * (out.front.steamAdmitted + out.rear.steamAdmitted) * speed * 60;
        if (out.indicatedPower > 0) out.steamRate = out.steamPerHour / 3600 / out.indicatedPower;
        const double mean = W / 2;
        if (std::fabs(mean) > 0)
            out.workDifferencePct = 100 * (out.front.work - out.rear.work) / mean;
        results.push_back(std::move(out));
    }
    return results;
}

SettingIndicator computeIndicator(Model& scratch, Real revArmPos, const SiConditions& c,
                                  const Fluid& fluid, const IndicatorOptions& o) {
    return std::move(computeIndicatorSpeeds(scratch, revArmPos, {c.speed}, c, fluid, o).front());
}

std::vector<SettingIndicator> computeIndicators(const Model& m, const std::vector<Real>& settings,
                                                const SiConditions& c,
                                                const IndicatorOptions& options) {
    Model scratch = m;
    const auto fluid = makeFluid(c);
    std::vector<SettingIndicator> out;
    out.reserve(settings.size());
    for (Real s : settings)
        out.push_back(computeIndicator(scratch, s, c, *fluid, options));
    return out;
}

} // namespace corvellan::steam
