#pragma once
// A finished balance as the user reads it: the objective before and after,
// the varied dimensions with their old and new values, and for each setting
// the cut-offs, leads and mean cut-off of the design before and after. The
// events of each design are the events objects the events report prints.

#include "analysis/Balance.h"
#include "analysis/BalanceSearch.h"

#include <ostream>
#include <string>
#include <vector>

namespace corvellan {

struct BalanceReport {
    BalanceProblem problem;
    std::vector<double> targets; // the starting design's mean cut-off per setting
    double before = 0;
    double after = 0;
    int evaluations = 0;
    bool stopped = false;
    double seconds = 0; // shown in the text only
    std::vector<Real> beforeValues, afterValues;
    EventsReport beforeEvents, afterEvents;
};

// The events of both designs at the problem's settings, each design at its
// own mid gear; the objectives are those of these events.
BalanceReport makeBalanceReport(const Model& start, const BalanceObjective& objective,
                                const BalanceOutcome& outcome);

// The dimensions whose value the balance changes (as 4-byte reals).
int changedDimensionCount(const BalanceReport& r);

// {"Objective": {"Before": x, "After": y}, "Evaluations": n, "Dimensions":
// [{"Name": "...", "Before": x, "After": y}, ...], "Before": <events object>,
// "After": <events object>} and a newline.
void writeBalanceJson(const BalanceReport& r, std::ostream& out);
// The readable before/after table.
// `captions`: the dimensions named as the dimension dialogs name them
// ("Eccentric Crank Angle Deg"), as the Balance window shows them; else by
// the code names the command line takes.
void writeBalanceText(const BalanceReport& r, std::ostream& out, bool captions = false);

} // namespace corvellan
