// The settled indicator computation against its exact limits and published
// figures: the ideal cycle at low speed, choked flow, conservation over the
// revolution, and the trends of wire-drawing.

#include "analysis/ValveEvents.h"
#include "model/Model.h"
#include "model/Solver.h"
#include "model/Valve.h"
#include "steam/Conditions.h"
#include "steam/EdgeFlow.h"
#include "steam/Indicator.h"
#include "steam/Performance.h"
#include "steam/PortMotion.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace corvellan;
using namespace corvellan::steam;

namespace {

constexpr double kPsi = 6894.757293168;

Real normalForward(const Model& m) {
    return static_cast<Real>(static_cast<Ext>(m.gear.RevArmCen()) - m.frame.RevArmToCentNorm);
}
Real normalReverse(const Model& m) {
    return static_cast<Real>(static_cast<Ext>(m.gear.RevArmCen()) + m.frame.RevArmToCentNorm);
}
Real halfOf(const Model& m, Real setting) {
    return static_cast<Real>((static_cast<Ext>(setting) + m.gear.RevArmCen()) / 2);
}

SettingIndicator run(Conditions c, Real setting, double speed, IndicatorOptions o = {}) {
    Model m = nominalModel();
    c.Speed = speed;
    EXPECT_EQ(validateConditions(c, m.cyl.CylBoreDia), "");
    const SiConditions si = toSi(c, m);
    const auto fluid = makeFluid(si);
    return computeIndicator(m, setting, si, *fluid, o);
}

Conditions perfectGas() {
    Conditions c = defaultConditions();
    c.Fluid = FluidKind::PerfectGas;
    return c;
}

double gap(const EndIndicator& e) {
    return std::fabs(e.mep / e.ideal.mep - 1);
}

} // namespace

TEST(Indicator, SlowEnginesFollowTheIdealCycle) {
    const Model m = nominalModel();
    const Real fwd = normalForward(m), rev = normalReverse(m);
    for (Real setting : {fwd, rev, halfOf(m, fwd), halfOf(m, rev)}) {
        const SettingIndicator slow = run(perfectGas(), setting, 1);
        const SettingIndicator faster = run(perfectGas(), setting, 10);
        ASSERT_TRUE(slow.settled) << setting;
        EXPECT_EQ(slow.direction, setting < m.gear.RevArmCen() ? RunningDirection::Forward
                                                               : RunningDirection::Reverse);
        for (const EndIndicator* e : {&slow.front, &slow.rear}) {
            ASSERT_TRUE(e->ideal.valid) << setting;
            EXPECT_LT(gap(*e), 0.005) << setting << ": " << e->mep << " against " << e->ideal.mep;
        }
        // The gap closes as the speed falls.
        EXPECT_LT(gap(slow.front), gap(faster.front)) << setting;
        EXPECT_LT(gap(slow.rear) + gap(slow.front), gap(faster.rear) + gap(faster.front))
            << setting;
    }
}

TEST(Indicator, ChokedFlowOfDrySteamMatchesTheNozzleFigure) {
    // 200 psi absolute through one square inch: 2.81 lb/s.
    const auto steam = makeSteam();
    const FluidState s = steam->saturatedVapour(200 * kPsi);
    const double area = 0.0254 * 0.0254;
    const double mdot = edgeFlow(area, s.p, s.rho, 14.7 * kPsi, 1.135);
    EXPECT_NEAR(mdot / 0.45359237, 2.81, 0.01 * 2.81);
    // Below the critical ratio the downstream pressure no longer matters.
    EXPECT_DOUBLE_EQ(mdot, edgeFlow(area, s.p, s.rho, 0.5 * s.p, 1.135));
    EXPECT_LT(edgeFlow(area, s.p, s.rho, 0.7 * s.p, 1.135), mdot);

    // The slopes the implicit integrator is given, against differences,
    // on both sides of the critical ratio and close to equal pressures.
    for (double ratio : {0.3, 0.7, 0.999, 1 - 1e-7}) {
        const double pd = ratio * s.p;
        const EdgeFlowValue v = edgeFlowWithSlopes(area, s.p, s.rho, pd, 1.3);
        const double h = 1e-3 * (s.p - pd);
        const double dpd = (edgeFlow(area, s.p, s.rho, pd + h, 1.3, kDefaultFlowSmoothing) -
                            edgeFlow(area, s.p, s.rho, pd - h, 1.3, kDefaultFlowSmoothing)) /
                           (2 * h);
        const double dpu = (edgeFlow(area, s.p + h, s.rho, pd, 1.3, kDefaultFlowSmoothing) -
                            edgeFlow(area, s.p - h, s.rho, pd, 1.3, kDefaultFlowSmoothing)) /
                           (2 * h);
        EXPECT_NEAR(v.dpd, dpd, 1e-4 * std::fabs(dpd) + 1e-12) << ratio;
        EXPECT_NEAR(v.dpu, dpu, 1e-4 * std::fabs(dpu) + 1e-12) << ratio;
    }
}

TEST(Indicator, ValveMotionIsTheProgramsOwn) {
    Model m = nominalModel();
    const Real setting = halfOf(m, normalForward(m));
    Model scratch = m;
    const PortMotion motion(scratch, setting);
    m.gear.RevArmPos = setting;
    for (double angle : {0.0, 37.25, 90.5, 181.0, 275.75}) {
        m.gear.DriverAngle = static_cast<Real>(angle);
        solve(m);
        computeValve(m);
        const Real expected[kPortEdges] = {m.valve.FrontSteamOpening, m.valve.FrontExhaustOpening,
                                           m.valve.RearSteamOpening, m.valve.RearExhaustOpening};
        for (int edge = 0; edge < kPortEdges; ++edge)
            EXPECT_NEAR(motion.opening(edge, angle), expected[edge], 2e-6) << angle << " " << edge;
    }
}

TEST(Indicator, SettledRevolutionConservesSteamAndEnergy) {
    const Model m = nominalModel();
    const SettingIndicator r = run(defaultConditions(), normalForward(m), 300);
    ASSERT_TRUE(r.settled);
    EXPECT_FALSE(r.geometryError);
    for (const EndIndicator* e : {&r.front, &r.rear}) {
        EXPECT_GT(e->steamAdmitted, 0);
        ASSERT_TRUE(e->cutOffPressure.has_value());
        EXPECT_NEAR(e->steamExhausted, e->steamAdmitted, 1e-4 * e->steamAdmitted);
        EXPECT_NEAR(e->energyIn, e->energyOut + e->work, 1e-4 * e->energyIn);
        EXPECT_NEAR(e->mep, e->work / e->sweptVolume, 1e-9 * std::fabs(e->mep));
        // The piston may squeeze the cushion a little above the chest
        // pressure before the port has let it out.
        EXPECT_GE(e->peakPressure, *e->cutOffPressure);
        EXPECT_LE(e->peakPressure, toSi(defaultConditions(), m).chestPressure * 1.01);
        EXPECT_EQ(e->loop.size(), 361u);
        // The settled loop closes on itself.
        EXPECT_NEAR(e->loop.front().pressure, e->loop.back().pressure,
                    1e-5 * e->loop.front().pressure);
    }
    // Full forward gear at 300 rpm: an independent model of the same
    // equations gives 83.4 psi.
    EXPECT_NEAR((r.front.mep + r.rear.mep) / 2 / kPsi, 83.4, 0.5);
    const double W = r.front.work + r.rear.work;
    EXPECT_NEAR(r.indicatedPower, 2 * W * 300 / 60, 1e-9 * r.indicatedPower);
    ASSERT_TRUE(r.steamRate.has_value());
    EXPECT_NEAR(*r.steamRate * r.indicatedPower * 3600, r.steamPerHour, 1e-9 * r.steamPerHour);
}

TEST(Indicator, ShortTravelWireDrawsAtSpeedAndNarrowPortsMore) {
    const Model m = nominalModel();
    const Real half = halfOf(m, normalForward(m));
    auto mean = [](const SettingIndicator& r) { return (r.front.mep + r.rear.mep) / 2; };
    const double at10 = mean(run(defaultConditions(), half, 10));
    const double at300 = mean(run(defaultConditions(), half, 300));
    const double at800 = mean(run(defaultConditions(), half, 800));
    EXPECT_GT(at10, at300);
    EXPECT_GT(at300, at800);

    Conditions narrow = defaultConditions();
    narrow.PortBreadth = 0.4 * m.cyl.CylBoreDia;
    const double slowLoss = at10 - mean(run(narrow, half, 10));
    const double fastLoss = at800 - mean(run(narrow, half, 800));
    EXPECT_GT(fastLoss, 0);
    EXPECT_GT(fastLoss, 5 * std::fabs(slowLoss));
}

TEST(Indicator, NeitherTheToleranceNorTheSmoothingMovesTheMep) {
    const Model m = nominalModel();
    const Real half = halfOf(m, normalForward(m));
    const SettingIndicator base = run(defaultConditions(), half, 300);
    IndicatorOptions closer;
    closer.tolerance /= 2;
    closer.loopPoints = 0;
    IndicatorOptions sharper;
    sharper.flowSmoothing = 1e-10;
    sharper.loopPoints = 0;
    const SettingIndicator a = run(defaultConditions(), half, 300, closer);
    const SettingIndicator b = run(defaultConditions(), half, 300, sharper);
    for (auto end : {&SettingIndicator::front, &SettingIndicator::rear}) {
        const double mep = (base.*end).mep;
        EXPECT_NEAR((a.*end).mep, mep, 5e-4 * mep);
        EXPECT_NEAR((b.*end).mep, mep, 1e-5 * mep);
    }
}

TEST(Performance, MapIsTheSameOnAnyThreadsAndAsEachSettingAlone) {
    const Model m = nominalModel();
    const std::vector<Real> settings = {normalForward(m), halfOf(m, normalReverse(m)),
                                        m.gear.RevArmCen()};
    const std::vector<double> speeds = {150, 600};
    const SiConditions c = toSi(perfectGas(), m);
    PerformanceMap one, two;
    ASSERT_TRUE(computePerformance(m, settings, speeds, c, 1, one));
    ASSERT_TRUE(computePerformance(m, settings, speeds, c, 2, two));
    ASSERT_EQ(one.cells.size(), settings.size() * speeds.size());
    for (std::size_t i = 0; i < one.cells.size(); ++i) {
        EXPECT_EQ(one.cells[i].front.mep, two.cells[i].front.mep) << i;
        EXPECT_EQ(one.cells[i].rear.steamAdmitted, two.cells[i].rear.steamAdmitted) << i;
    }
    const SettingIndicator alone = run(perfectGas(), settings[1], 600);
    EXPECT_EQ(one.at(1, 1).speed, 600);
    EXPECT_EQ(one.at(1, 1).front.mep, alone.front.mep);
    EXPECT_EQ(one.at(1, 1).rear.work, alone.rear.work);

    // A map beyond its bounds is refused before anything is computed.
    std::string error;
    EXPECT_FALSE(computePerformance(m, settings, std::vector<double>(51, 100), c, 1, one,
                                    nullptr, &error));
    EXPECT_FALSE(error.empty());
}
