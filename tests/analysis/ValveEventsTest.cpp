// The valve events against the model itself: each crossing is checked by
// solving the gear at the reported angle, and the count of crossings of
// every edge against an independent scan twenty times finer than the search.

#include "analysis/ValveEvents.h"
#include "analysis/Balance.h"
#include "analysis/PistonKinematics.h"
#include "analysis/ValveEventsText.h"
#include "model/Model.h"
#include "model/Solver.h"
#include "model/Valve.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <sstream>

using namespace corvellan;

namespace {

// Front and rear ports, bridges, valve halves and cavity halves all unequal.
Model unequalPorts() {
    Model m = nominalModel();
    storeDimension(m, 114, 0.19); // SteamPortWidthFront
    storeDimension(m, 113, 0.13); // SteamPortWidthRear
    storeDimension(m, 111, 0.2);  // BridgeWidthRear
    storeDimension(m, 118, 0.70); // ValveLengthRearHalf
    storeDimension(m, 121, 0.36); // ValveExhCavityFrontHalf
    return m;
}

std::array<Real, kPortEdges> openingsAt(Model& m, Ext angle) {
    m.gear.DriverAngle = static_cast<Real>(angle);
    solve(m);
    computeValve(m);
    return {m.valve.FrontSteamOpening, m.valve.FrontExhaustOpening, m.valve.RearSteamOpening,
            m.valve.RearExhaustOpening};
}

// Sign changes of each edge over one turn sampled every 0.05 degree.
std::array<int, kPortEdges> fineCrossingCounts(Model m, Real setting) {
    m.gear.RevArmPos = setting;
    std::array<int, kPortEdges> count{};
    std::array<Real, kPortEdges> first = openingsAt(m, 0), previous = first;
    for (int k = 1; k <= 7200; ++k) {
        const auto now = k == 7200 ? first : openingsAt(m, k * 0.05L);
        for (int e = 0; e < kPortEdges; ++e)
            count[e] += (previous[e] > 0) != (now[e] > 0);
        previous = now;
    }
    return count;
}

// Every event lies on a zero of its edge's opening, with the edge shut just
// before and open just after it (or the reverse) in the running direction,
// in running order, and with no crossing missed or invented.
void expectExactEvents(const Model& gear, const SettingEvents& s) {
    SCOPED_TRACE("setting " + std::to_string(s.revArmPos));
    Model m = gear;
    m.gear.RevArmPos = s.revArmPos;
    const int dir = s.forward ? 1 : -1;
    const PistonKinematics k = pistonKinematics(gear);
    std::array<int, kPortEdges> found{};
    double lastRun = -1;
    for (const ValveEvent& e : s.events) {
        const int edge = static_cast<int>(e.kind) / 2;
        const bool opens = static_cast<int>(e.kind) % 2 == 0;
        ++found[edge];
        ASSERT_TRUE(e.angle >= 0 && e.angle < 360) << e.angle;
        EXPECT_NEAR(openingsAt(m, e.angle)[edge], 0, 1e-6) << eventKindName(e.kind);
        // The real piston: the solver's crosshead on its own line.
        const double f = (k.frontX - m.pivots.X[3]) / (k.frontX - k.rearX);
        EXPECT_NEAR(e.pct, 100 * (edge < RearSteamEdge ? f : 1 - f), 1e-4);
        EXPECT_EQ(openingsAt(m, e.angle - dir * 0.02L)[edge] > 0, !opens) << eventKindName(e.kind);
        EXPECT_EQ(openingsAt(m, e.angle + dir * 0.02L)[edge] > 0, opens) << eventKindName(e.kind);
        const double run = s.forward || e.angle == 0 ? e.angle : 360 - e.angle;
        EXPECT_GE(run, lastRun);
        lastRun = run;
    }
    EXPECT_EQ(found, fineCrossingCounts(gear, s.revArmPos));
}

} // namespace

TEST(EventsOfASetting, EveryCrossingOfTheSweepIsExactCompleteAndInRunningOrder) {
    for (const Model& gear : {nominalModel(), unequalPorts()}) {
        const EventsReport r = computeEvents(gear, sweepSettings(gear));
        ASSERT_EQ(r.settings.size(), 21u);
        EXPECT_FLOAT_EQ(r.settings[0].revArmPos, gear.gear.RevArmCen());
        EXPECT_TRUE(r.settings[0].forward); // mid gear runs forward
        EXPECT_NEAR(r.settings[10].revArmPos, gear.gear.RevArmCen() - 1.7, 1e-6);
        EXPECT_NEAR(r.settings[20].revArmPos, gear.gear.RevArmCen() + 1.7, 1e-6);
        EXPECT_FALSE(r.settings[20].forward);
        for (const SettingEvents& s : r.settings) {
            expectExactEvents(gear, s);
            EXPECT_EQ(s.events.size(), 8u);
            EXPECT_TRUE(s.front.cutOffPct && s.rear.compressionPct && s.cutOffDifference);
            EXPECT_FALSE(s.geometryError);
        }
    }
}

TEST(EventsOfASetting, MidGearTravelIsLapPlusLeadOfBothEnds) {
    for (const Model& gear : {nominalModel(), unequalPorts()}) {
        const SettingEvents s = computeEvents(gear, {gear.gear.RevArmCen()}).settings[0];
        Model m = gear;
        solve(m);
        const double expected =
            m.lap.FrontSteamLap + s.front.lead + m.lap.RearSteamLap + s.rear.lead;
        EXPECT_NEAR(s.valveTravel, expected, 0.002);
        // The largest openings are the valve's extremes: no finer sample exceeds
        // them by more than the 4-byte resolution of the valve position.
        m.gear.RevArmPos = s.revArmPos;
        for (int k = 0; k < 3600; ++k) {
            const auto open = openingsAt(m, k * 0.1L);
            ASSERT_LE(open[FrontSteamEdge], s.front.maxSteamOpening + 1e-6);
            ASSERT_LE(open[RearExhaustEdge], s.rear.maxExhaustOpening + 1e-6);
        }
    }
}

TEST(EventsOfASetting, AnEdgeThatOpensWithinOneDegreeIsFoundAndOneThatNeverOpensHasNoFigures) {
    // Lengthen the front half of the valve until, at this setting, the front
    // steam edge opens by a few millionths for a fraction of a degree only.
    Model gear = nominalModel();
    const Real setting = -0.7f;
    const SettingEvents before = computeEvents(gear, {setting}).settings[0];
    storeDimension(gear, 119, gear.cyl.ValveLengthFrontHalf + before.front.maxSteamOpening - 3e-6);
    const SettingEvents s = computeEvents(gear, {setting}).settings[0];
    ASSERT_TRUE(s.front.admissionAngle && s.front.cutOffAngle);
    Model m = gear;
    m.gear.RevArmPos = setting;
    const Ext whole = std::floor(*s.front.admissionAngle);
    ASSERT_LE(openingsAt(m, whole)[FrontSteamEdge], 0); // no one-degree sample sees it open
    ASSERT_LE(openingsAt(m, whole + 1)[FrontSteamEdge], 0);
    EXPECT_LT(std::fabs(*s.front.cutOffAngle - *s.front.admissionAngle), 1);
    expectExactEvents(gear, s);

    // A front steam lap longer than the valve's half travel: the front port
    // never takes steam, so admission, cut-off and their difference are absent.
    storeDimension(gear, 119, 1.2);
    const SettingEvents shut = computeEvents(gear, {setting}).settings[0];
    EXPECT_FALSE(shut.front.admissionAngle || shut.front.admissionPct || shut.front.cutOffAngle ||
                 shut.front.cutOffPct || shut.cutOffDifference);
    EXPECT_TRUE(shut.front.releaseAngle && shut.rear.cutOffPct);
    EXPECT_LT(shut.front.maxSteamOpening, 0);
    std::ostringstream json;
    writeSettingJson(shut, json);
    EXPECT_NE(json.str().find("\"CutOffAngle\": null, \"CutOffPct\": null"), std::string::npos);
    EXPECT_NE(json.str().find("\"CutOffDifference\": null"), std::string::npos);
}

namespace {

// The piston travel (percent of stroke) while each end's steam port is open,
// summed over a turn scanned every 0.05 degree with the driver angle
// increasing: positive where it moves away from that end.
std::array<double, 2> scannedSteamTravel(Model m, Real setting) {
    const PistonKinematics k = pistonKinematics(m);
    m.gear.RevArmPos = setting;
    std::array<double, 2> travel{};
    for (int i = 0; i < 7200; ++i) {
        const Ext a = i * 0.05L, b = (i + 1) * 0.05L;
        const auto open = openingsAt(m, (a + b) / 2);
        const double df = k.fraction(static_cast<double>(b)) - k.fraction(static_cast<double>(a));
        if (open[FrontSteamEdge] > 0) travel[0] += 100 * df;
        if (open[RearSteamEdge] > 0) travel[1] -= 100 * df;
    }
    return travel;
}

Model offsetLine(Ext offset) {
    Model m = nominalModel();
    storeDimension(m, 102, offset); // CylCLAboveDriverCtr
    return m;
}

} // namespace

TEST(EventsOfASetting, TheSteamGivesTheRunningDirectionAndTheTrueNeutral) {
    for (const Model& gear : {nominalModel(), offsetLine(0.25L)}) {
        const Ext cen = gear.gear.RevArmCen();
        for (Ext offset : {0.0L, -0.17L, 0.17L, -1.7L, 1.7L}) {
            const Real setting = clampSetting(gear, cen + offset);
            const SettingEvents s = computeEvents(gear, {setting}).settings[0];
            const auto scanned = scannedSteamTravel(gear, setting);
            EXPECT_NEAR(s.front.steamTravelPct, scanned[0], 0.05) << setting;
            EXPECT_NEAR(s.rear.steamTravelPct, scanned[1], 0.05) << setting;
            EXPECT_EQ(s.direction, runningDirection(scanned[0], scanned[1])) << setting;
            EXPECT_EQ(s.forward, s.direction != RunningDirection::Reverse);
        }
        // The constructed mid gear hardly drives either way: neutral, its
        // events for increasing driver angle.
        const EventsReport r = computeEvents(gear, {gear.gear.RevArmCen()});
        EXPECT_EQ(r.settings[0].direction, RunningDirection::Neutral);
        EXPECT_TRUE(r.settings[0].forward);
        // Each end's true neutral: its steam travel changes sign there.
        ASSERT_TRUE(r.neutralFront && r.neutralRear);
        for (int end = 0; end < 2; ++end) {
            const Real neutral = static_cast<Real>(end == 0 ? *r.neutralFront : *r.neutralRear);
            const auto below = scannedSteamTravel(gear, clampToReal(neutral - 0.003L));
            const auto above = scannedSteamTravel(gear, clampToReal(neutral + 0.003L));
            EXPECT_GT(below[end], 0) << end;
            EXPECT_LT(above[end], 0) << end;
        }
    }
    // The nominal gear stops driving 0.031 forward of its constructed mid gear.
    const Model nominal = nominalModel();
    const EventsReport r = computeEvents(nominal, {});
    EXPECT_NEAR(*r.neutralFront - nominal.gear.RevArmCen(), -0.031, 0.002);
    EXPECT_NEAR(*r.neutralRear - nominal.gear.RevArmCen(), -0.032, 0.002);
}

TEST(EventsOfASetting, LeadsAreReadAtTheTrueDeadCentresAndOverTravelIsFlagged) {
    const Model gear = offsetLine(0.25L);
    const PistonKinematics k = pistonKinematics(gear);
    ASSERT_GT(std::fabs(std::remainder(k.frontAngle, 360.0)), 1);
    bool differs = false;
    for (const SettingEvents& s : computeEvents(gear, sweepSettings(gear)).settings) {
        Model m = gear;
        m.gear.RevArmPos = s.revArmPos;
        EXPECT_EQ(s.front.lead, openingsAt(m, k.frontAngle)[FrontSteamEdge]);
        EXPECT_EQ(s.rear.lead, openingsAt(m, k.rearAngle)[RearSteamEdge]);
        differs |= std::fabs(s.front.lead - openingsAt(m, 0)[FrontSteamEdge]) > 0.01;
    }
    EXPECT_TRUE(differs); // at full gear the opening at 0 degrees is not the lead

    // Over-travel: the valve's steam edge somewhere on the turn inside the
    // exhaust port's edge, by a scan of the valve itself. The nominal gear
    // does it at full gear and not at mid gear.
    const Model nominal = nominalModel();
    const Ext e = nominal.cyl.ExhaustPortWidth / 2.0L;
    int flagged = 0;
    for (Real setting : {nominal.gear.RevArmCen(), -1.7f, 1.7f, -0.9f}) {
        const SettingEvents s = computeEvents(nominal, {setting}).settings[0];
        Model m = nominal;
        m.gear.RevArmPos = setting;
        bool front = false, rear = false;
        for (int i = 0; i < 3600; ++i) {
            openingsAt(m, i * 0.1L);
            front |= m.lap.ValveCen + static_cast<Ext>(m.cyl.ValveLengthFrontHalf) < e;
            rear |= m.lap.ValveCen - static_cast<Ext>(m.cyl.ValveLengthRearHalf) > -e;
        }
        EXPECT_EQ(s.front.overTravel, front) << setting;
        EXPECT_EQ(s.rear.overTravel, rear) << setting;
        flagged += s.front.overTravel + s.rear.overTravel;
    }
    EXPECT_GE(flagged, 4);
    EXPECT_FALSE(computeEvents(nominal, {nominal.gear.RevArmCen()}).settings[0].front.overTravel);
}

// The lead in degrees of crank and the lead in length tell the same story
// on every setting of the sweep, running either way: steam admitted before
// dead centre is a port already open there, admitted after it one still shut.
TEST(ValveEvents, LeadAngleAgreesWithTheOpeningAtDeadCentreBothWays) {
    const Model m = nominalModel();
    const EventsReport r = computeEvents(m, sweepSettings(m));
    int checked = 0;
    for (const SettingEvents& s : r.settings) {
        for (const EndEvents* e : {&s.front, &s.rear}) {
            if (!e->leadAngle || std::fabs(e->lead) < 1e-4) continue;
            EXPECT_EQ(*e->leadAngle > 0, e->lead > 0) << s.revArmPos << " " << *e->leadAngle;
            EXPECT_LT(std::fabs(*e->leadAngle), 90) << s.revArmPos;
            ++checked;
        }
    }
    EXPECT_GE(checked, 40);
}

// A main rod of -8 solves as one of +8 would, with pistons far beyond their
// stroke; it is no gear, and every setting and the report say so.
TEST(EventsOfASetting, AGearWithANegativeRodIsAGeometryErrorEverywhere) {
    Model m = nominalModel();
    m.frame.MainRod = -8;
    const EventsReport report = computeEvents(m, sweepSettings(m));
    for (const SettingEvents& s : report.settings)
        EXPECT_TRUE(s.geometryError) << s.revArmPos;
    std::ostringstream text;
    writeEventsText(report, text);
    EXPECT_EQ(text.str().rfind("Geometry error: the linkage cannot be built: Main Rod is -8", 0),
              0u)
        << text.str().substr(0, 200);
    // The balance refuses it before searching.
    BalanceProblem p;
    p.vary = {{MainRodCode, -9, 9}};
    p.settings = {0.5};
    EXPECT_EQ(balanceProblemError(m, p).rfind("the linkage cannot be built", 0), 0u);

    // The same gear with the rod's true length has none.
    m.frame.MainRod = 8;
    for (const SettingEvents& s : computeEvents(m, sweepSettings(m)).settings)
        EXPECT_FALSE(s.geometryError) << s.revArmPos;
    EXPECT_EQ(computeEvents(m, {0}).unbuildable, "");
}
