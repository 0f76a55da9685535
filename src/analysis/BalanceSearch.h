#pragma once
// The search for a balanced design. It works in stages over nested problems,
// each started from the best design of the one before, so that more freedom
// never gives a worse answer: first the default remedies the problem varies,
// then everything but the eccentric crank angle, then everything (stages
// that add nothing are left out). In each stage a bounded derivative-free
// local method (NLopt's BOBYQA) runs from the best design so far, from the
// current design and from a few points spread over the bounds (a small Latin
// hypercube; a point that cannot be balanced is drawn again, then pulled
// towards the starting design until it can); above six
// variables a global stage (NLopt's controlled random search) comes first.
// Each local run ends on a relative tolerance of the objective or of the
// step, and what a stage's budget leaves goes to fresh runs from its best
// design; each stage ends on a budget that grows with its variables.
//
// The search runs on whatever thread calls it, on its own objective (and so
// its own copy of the model); another thread may watch its progress and ask
// it to stop through BalanceProgress. The same objective and options give
// the same design, evaluation for evaluation.

#include "analysis/Balance.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace corvellan {

struct BalanceSearchOptions {
    // A stage's budget: this many evaluations per variable it varies.
    int evaluationsPerVariable = 120;
    // A cap on the whole search (0: the stages' budgets alone).
    int maxEvaluations = 0;
    int extraStarts = 4; // Latin-hypercube points beside the designs known
    // Further tries of a drawn point that cannot be balanced: once drawn
    // anew, then pulled halfway towards the starting design each time.
    int redraws = 8;
    int globalAbove = 6;        // a global stage for more variables than this
    double relTolerance = 1e-7; // relative change of J that ends a local run
    // Step, as a fraction of each dimension's range, that ends a local run:
    // about the resolution of a 4-byte real over the default ranges.
    double stepTolerance = 1e-6;
    std::uint64_t seed = 12; // the same points every run
};

// Shared with a watching thread.
struct BalanceProgress {
    std::atomic<int> evaluations{0};
    std::atomic<int> budget{0}; // the most evaluations the search will take
    std::atomic<double> best{0};
    std::atomic<bool> stop{false}; // set by the watcher: end as soon as possible
};

struct BalanceOutcome {
    double before = 0;
    double after = 0;
    bool feasible = false; // the start (and so the outcome) can be balanced
    int evaluations = 0;
    std::vector<Real> values;  // the best design found, one value per variable
    std::vector<bool> atBound; // per variable: it ends on (within a step of) a bound
    bool stopped = false;      // asked to stop before the search ended
};

// The variables of each stage, as indices into the problem's list.
std::vector<std::vector<size_t>> balanceStages(const BalanceProblem& p);
// The most evaluations a search of this problem takes.
int balanceBudget(const BalanceProblem& p, const BalanceSearchOptions& options);

// Searches from the objective's starting design, which must be feasible (the
// outcome is then that design or a better one, inside the bounds). Values are
// judged as they are stored: as 4-byte reals.
BalanceOutcome searchBalance(BalanceObjective& objective, const BalanceSearchOptions& options = {},
                             BalanceProgress* progress = nullptr);

// Whether a value lies on its bound: within a millionth of the range, or
// the 4-byte real next to it.
bool onBound(const BalanceVariable& v, Real value);

} // namespace corvellan
