// One evaluation of the balance objective (the default four settings of the
// nominal gear, each at the candidate's own mid gear) beside its floor: the
// 4 x 360 one-degree samples alone, a solve and the valve computation each,
// which the events of those settings have to pay before refining. And the
// whole default balance of the nominal gear.

#include "analysis/Balance.h"
#include "analysis/BalanceSearch.h"

#include "SampleFloor.h"

#include <benchmark/benchmark.h>

using namespace corvellan;

namespace {

// The nominal gear, as the program starts with it.
const Model& nominal() {
    static const Model m = [] {
        Model g;
        initialiseModel(g);
        return g;
    }();
    return m;
}

void BM_BalanceObjective(benchmark::State& state) {
    const Model m = nominal();
    BalanceObjective objective(m, defaultBalanceProblem(m));
    // Two candidates in turn, so every call finds a new mid gear.
    std::vector<double> a(objective.startValues().begin(), objective.startValues().end());
    std::vector<double> b = a;
    b[0] += 1; // the eccentric crank angle a degree on
    b[2] += 0.01;
    bool flip = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(objective.evaluate((flip ? b : a).data()));
        flip = !flip;
    }
}

void BM_Floor_ObjectiveSamples(benchmark::State& state) {
    Model m = nominal();
    const std::vector<Real> settings = balanceSettings(m, defaultBalanceSettings());
    for (auto _ : state)
        sampleTurns(m, settings);
}

void BM_DefaultBalanceOfNominal(benchmark::State& state) {
    const Model m = nominal();
    int evaluations = 0;
    for (auto _ : state) {
        BalanceObjective objective(m, defaultBalanceProblem(m));
        const BalanceOutcome outcome = searchBalance(objective);
        evaluations = outcome.evaluations;
        benchmark::DoNotOptimize(outcome.after);
    }
    state.counters["evaluations"] = evaluations;
}

} // namespace

BENCHMARK(BM_BalanceObjective)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Floor_ObjectiveSamples)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DefaultBalanceOfNominal)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
