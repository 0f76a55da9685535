#pragma once
// A finished balance as the user reads it: the objective before and after,
// the varied dimensions with their old and new values (and which end on a
// bound), for each compared setting the cut-offs, leads and mean cut-off of
// the design before and after, and a verdict: what improved, what got worse
// and by how much. The events of each design are the events objects the
// events report prints. The dialog and the command both run a balance
// through runBalance, so they give the same design bit for bit.

#include "analysis/Balance.h"
#include "analysis/BalanceSearch.h"

#include <ostream>
#include <string>
#include <vector>

namespace corvellan {

struct BalanceReport {
    BalanceProblem problem;
    std::vector<ComparedSetting> compared;
    std::vector<double> targets; // per compared setting (BalanceObjective::targets)
    BalanceLimits limits;
    double leadScale = kLeadScale;
    double before = 0;
    double after = 0;
    int evaluations = 0;
    bool stopped = false;
    double seconds = 0; // shown in the text only
    std::vector<Real> beforeValues, afterValues;
    std::vector<bool> atBound;
    // The events at the compared settings, each design at its own mid gear
    // (for the mean cut-off objective at its own settings of those cut-offs).
    EventsReport beforeEvents, afterEvents;
    std::string note; // said before the figures (weights rescaled), or ""
};

// The events of both designs at the compared settings; the objectives are
// those of these events. Evaluates the objective at the two designs.
BalanceReport makeBalanceReport(BalanceObjective& objective, const BalanceOutcome& outcome);

// The whole balance of a start whose objective is feasible: the search, then
// the report, timed.
BalanceReport runBalance(BalanceObjective& objective, const BalanceSearchOptions& options,
                         BalanceProgress* progress = nullptr);

// The dimensions whose value the balance changes (as 4-byte reals).
int changedDimensionCount(const BalanceReport& r);

// One line: the worst and root-mean-square front - rear cut-off, the worst
// lead difference and the smallest lead, each before -> after, said as
// better or worse by how much.
std::string balanceVerdict(const BalanceReport& r);

// {"Objective": {"Name", "Before", "After"}, "Evaluations", "Seconds"?,
// "Dimensions": [{"Name", "Before", "After", "Low", "High", "AtBound"}],
// "Settings": [...names], "Limits": {...}, "Verdict", "Before": <events
// object>, "After": <events object>} and a newline.
void writeBalanceJson(const BalanceReport& r, std::ostream& out);
// The readable before/after table.
// `captions`: the dimensions named as the dimension dialogs name them
// ("Eccentric Crank Angle Deg"), as the Balance window shows them; else by
// the code names the command line takes.
void writeBalanceText(const BalanceReport& r, std::ostream& out, bool captions = false);

} // namespace corvellan
