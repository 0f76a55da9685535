#pragma once
// The search for a balanced design: a bounded derivative-free local method
// (NLopt's BOBYQA) started from the current design and from a few more
// points spread over the bounds (a small Latin hypercube), keeping the best
// design that can be balanced. Each local run ends on a relative tolerance of
// the objective or of the step; the whole search on an evaluation budget.
//
// The search runs on whatever thread calls it, on its own objective (and so
// its own copy of the model); another thread may watch its progress and ask
// it to stop through BalanceProgress.

#include "analysis/Balance.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace corvellan {

struct BalanceSearchOptions {
    int maxEvaluations = 1500;  // over all starts
    int extraStarts = 4;        // Latin-hypercube points beside the current design
    double relTolerance = 1e-7; // relative change of J that ends a local run
    // Step, as a fraction of each dimension's range, that ends a local run:
    // about the resolution of a 4-byte real over the default ranges.
    double stepTolerance = 1e-6;
    std::uint64_t seed = 12; // the same points every run
};

// Shared with a watching thread.
struct BalanceProgress {
    std::atomic<int> evaluations{0};
    std::atomic<double> best{BalanceObjective::kInfeasible};
    std::atomic<bool> stop{false}; // set by the watcher: end as soon as possible
};

struct BalanceOutcome {
    double before = BalanceObjective::kInfeasible;
    double after = BalanceObjective::kInfeasible;
    int evaluations = 0;
    std::vector<Real> values; // the best design found, one value per variable
    bool stopped = false;     // asked to stop before the search ended
};

// Searches from the objective's starting design, which must be feasible (the
// outcome is then that design or a better one, inside the bounds). Values are
// judged as they are stored: as 4-byte reals.
BalanceOutcome searchBalance(BalanceObjective& objective, const BalanceSearchOptions& options = {},
                             BalanceProgress* progress = nullptr);

} // namespace corvellan
