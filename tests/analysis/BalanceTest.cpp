// The balance search against its promises: whatever the bounds and however
// much of the box cannot be balanced, the design it returns lies inside the
// bounds, keeps every limit, and is never worse than the start; the ends are
// compared at the cut-offs asked for; more freedom never gives a worse
// answer; and a stop asked for ends it at once.

#include "analysis/Balance.h"
#include "analysis/BalanceSearch.h"
#include "analysis/BalanceText.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace corvellan;

namespace {

Model nominal() {
    Model m;
    initialiseModel(m);
    return m;
}

// Every limit of the objective, checked again on the events of the report.
void expectWithinLimits(const BalanceReport& r) {
    const BalanceLimits& l = r.limits;
    for (const SettingEvents& s : r.afterEvents.settings) {
        EXPECT_TRUE(balanceFeasible(s));
        for (const EndEvents* e : {&s.front, &s.rear}) {
            EXPECT_GE(e->lead, l.leadFloor);
            EXPECT_LE(e->lead, l.leadCeiling);
            EXPECT_FALSE(e->overTravel);
        }
    }
}

} // namespace

TEST(BalanceSearch, ReturnsADesignInsideItsBoundsWithinEveryLimitNeverWorseThanTheStart) {
    const Model m = nominal();
    BalanceProblem defaults = defaultBalanceProblem(m);
    // A box that is mostly a gear whose ports never open, or cannot be built.
    BalanceProblem mostlyInfeasible = defaults;
    mostlyInfeasible.vary = {{EccCrankCirDiaCode, 0.2L, 1.2L}, {LinkPivotVertCode, 2.5L, 3.5L}};
    // Bounds no 4-byte real sits on, a hair either side of the start.
    BalanceProblem narrow = defaults;
    narrow.vary = {{LinkPivotHorzCode, -1e-7L, 1e-7L},
                   {ValveLeverLowerCode, 1.9999999L, 2.0000001L}};
    // The older objective at reverse-arm positions.
    BalanceProblem positions = defaults;
    positions.objective = BalanceObjectiveKind::Positions;
    positions.weights = defaultBalanceWeights(positions.objective);
    BalanceSearchOptions options;
    options.maxEvaluations = 150;

    for (const BalanceProblem* p : {&defaults, &mostlyInfeasible, &narrow, &positions}) {
        ASSERT_EQ(balanceProblemError(m, *p), "");
        BalanceObjective objective(m, *p);
        ASSERT_TRUE(objective.startFeasible()) << objective.startInfeasibility();
        const BalanceReport r = runBalance(objective, options);
        EXPECT_LE(r.evaluations, options.maxEvaluations);
        EXPECT_LE(r.after, r.before);
        ASSERT_EQ(r.afterValues.size(), p->vary.size());
        for (size_t i = 0; i < p->vary.size(); ++i) {
            EXPECT_GE(r.afterValues[i], p->vary[i].low) << i;
            EXPECT_LE(r.afterValues[i], p->vary[i].high) << i;
        }
        expectWithinLimits(r);
        // A fresh objective judges the design rebuilt from the values alone
        // as the search did, on one thread as on every core.
        BalanceObjective again(m, *p);
        again.setThreads(1);
        std::vector<double> values(r.afterValues.begin(), r.afterValues.end());
        const BalanceValue v = again.evaluate(values.data());
        EXPECT_TRUE(v.feasible);
        EXPECT_EQ(v.j, r.after);
    }
}

TEST(BalanceObjective, ComparesTheEndsAtTheAskedMeanCutOffsOfEachCandidate) {
    const Model m = nominal();
    BalanceProblem p = defaultBalanceProblem(m);
    BalanceObjective objective(m, p);
    ASSERT_TRUE(objective.startFeasible());
    // The start and a candidate whose mid gear and cut-offs have moved.
    std::vector<double> values(objective.startValues().begin(), objective.startValues().end());
    for (int candidate = 0; candidate < 2; ++candidate) {
        if (candidate == 1) {
            values[1] += 0.01;  // LinkPivotVert
            values[4] += 0.003; // ValveLengthFrontHalf
        }
        ASSERT_TRUE(objective.evaluate(values.data()).feasible) << objective.infeasibility();
        const auto& events = objective.candidateEvents();
        ASSERT_EQ(events.size(), 6u);
        for (size_t i = 0; i < events.size(); ++i) {
            const bool forward = i < 3;
            const double target = p.cutOffs[i % 3];
            ASSERT_TRUE(meanCutOff(events[i]));
            EXPECT_NEAR(*meanCutOff(events[i]), target, 0.01) << candidate << " " << i;
            EXPECT_EQ(events[i].direction,
                      forward ? RunningDirection::Forward : RunningDirection::Reverse);
            // On the side of mid gear the direction asks for.
            const Real cen = objective.candidate().gear.RevArmCen();
            EXPECT_EQ(events[i].revArmPos < cen, forward) << i;
        }
    }
    // The nominal gear at half gear forward: front 61.7 %, rear 38.3 %.
    BalanceObjective fresh(m, p);
    std::vector<double> start(fresh.startValues().begin(), fresh.startValues().end());
    fresh.evaluate(start.data());
    EXPECT_NEAR(*fresh.candidateEvents()[1].cutOffDifference, 23.3, 0.1);
}

TEST(BalanceSearch, AddingAVariableNeverGivesAWorseBalance) {
    const Model m = nominal();
    BalanceSearchOptions options;
    options.evaluationsPerVariable = 20;
    const BalanceProblem six = defaultBalanceProblem(m);
    BalanceProblem seven = six;
    seven.vary.push_back(balanceBounds(m, EccCrankAngleDegCode));
    BalanceProblem withPivotX = six;
    withPivotX.vary.push_back(balanceBounds(m, LinkPivotHorzCode));

    BalanceObjective small(m, six);
    const BalanceOutcome base = searchBalance(small, options);
    ASSERT_LT(base.after, base.before);
    for (const BalanceProblem* p : {&seven, &withPivotX}) {
        BalanceObjective larger(m, *p);
        const BalanceOutcome more = searchBalance(larger, options);
        EXPECT_LE(more.after, base.after);
        EXPECT_EQ(more.evaluations > base.evaluations, true);
    }
}

TEST(BalanceProblem, WeightsThatWouldOverflowAreScaledAndTooManySettingsRefused) {
    const Model m = nominal();
    BalanceProblem p = defaultBalanceProblem(m);
    p.weights = {1e300, 1, 0};
    const std::string note = rescaleBalanceWeights(p);
    EXPECT_NE(note.find("divided by 1e+300"), std::string::npos) << note;
    EXPECT_EQ(p.weights.cutOff, 1);
    BalanceObjective objective(m, p);
    EXPECT_TRUE(objective.startFeasible());
    EXPECT_TRUE(std::isfinite(objective.startValue()));

    BalanceProblem many = defaultBalanceProblem(m);
    many.cutOffs.assign(13, 40); // 26 settings, both ways
    EXPECT_NE(balanceProblemError(m, many).find("at most 24 settings"), std::string::npos);
}

TEST(BalanceSearch, AStopAskedForEndsItWithTheStartingDesign) {
    const Model m = nominal();
    BalanceObjective objective(m, defaultBalanceProblem(m));
    BalanceProgress progress;
    progress.stop = true;
    const BalanceOutcome outcome = searchBalance(objective, {}, &progress);
    EXPECT_TRUE(outcome.stopped);
    EXPECT_LE(outcome.evaluations, 1);
    EXPECT_EQ(outcome.values, objective.startValues());
    EXPECT_EQ(outcome.after, outcome.before);
}
