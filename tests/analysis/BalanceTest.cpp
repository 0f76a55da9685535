// The balance search against its promises: whatever the bounds and however
// much of the box cannot be balanced, the design it returns lies inside the
// bounds, can be balanced, and is never worse than the start; and a stop
// asked for ends it at once.

#include "analysis/Balance.h"
#include "analysis/BalanceSearch.h"

#include <gtest/gtest.h>

using namespace corvellan;

TEST(BalanceSearch, ReturnsAFeasibleDesignInsideItsBoundsNeverWorseThanTheStart) {
    Model m;
    initialiseModel(m);
    BalanceProblem defaults = defaultBalanceProblem(m); // the best lies on bounds
    // A box that is mostly a gear whose ports never open, or cannot be built.
    BalanceProblem mostlyInfeasible = defaults;
    mostlyInfeasible.vary = {{EccCrankCirDiaCode, 0.2L, 1.2L}, {LinkPivotVertCode, 2.5L, 3.5L}};
    // Bounds no 4-byte real sits on, a hair either side of the start.
    BalanceProblem narrow = defaults;
    narrow.vary = {{LinkPivotHorzCode, -1e-7L, 1e-7L},
                   {ValveLeverLowerCode, 1.9999999L, 2.0000001L}};
    BalanceSearchOptions options;
    options.maxEvaluations = 250;

    for (const BalanceProblem* p : {&defaults, &mostlyInfeasible, &narrow}) {
        ASSERT_EQ(balanceProblemError(m, *p), "");
        BalanceObjective objective(m, *p);
        ASSERT_TRUE(objective.startFeasible());
        const BalanceOutcome outcome = searchBalance(objective, options);
        EXPECT_LE(outcome.evaluations, options.maxEvaluations);
        EXPECT_LE(outcome.after, outcome.before);
        ASSERT_EQ(outcome.values.size(), p->vary.size());
        for (size_t i = 0; i < p->vary.size(); ++i) {
            EXPECT_GE(outcome.values[i], p->vary[i].low) << i;
            EXPECT_LE(outcome.values[i], p->vary[i].high) << i;
        }
        // The design rebuilt from the values alone gives the value reported.
        Model balanced = m;
        storeBalanceValues(balanced, *p, outcome.values);
        const EventsReport events = computeEvents(balanced, balanceSettings(balanced, p->settings));
        for (const SettingEvents& s : events.settings)
            EXPECT_TRUE(balanceFeasible(s));
        EXPECT_EQ(objective.value(events.settings), outcome.after);
    }
}

TEST(BalanceSearch, AStopAskedForEndsItWithTheStartingDesign) {
    Model m;
    initialiseModel(m);
    BalanceObjective objective(m, defaultBalanceProblem(m));
    BalanceProgress progress;
    progress.stop = true;
    const BalanceOutcome outcome = searchBalance(objective, {}, &progress);
    EXPECT_TRUE(outcome.stopped);
    EXPECT_LE(outcome.evaluations, 1);
    EXPECT_EQ(outcome.values, objective.startValues());
    EXPECT_EQ(outcome.after, outcome.before);
}
