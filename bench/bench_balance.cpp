// One evaluation of the default balance objective of the nominal gear (six
// settings of equal mean cut-off, each found anew by root-finding, and full
// gear both ways) beside its floor: the events of those eight settings once
// each, which any evaluation has to pay however well its root-finding is
// started. And the whole default balance of the nominal gear, whose time
// target is ten seconds on the development machine.

#include "analysis/Balance.h"
#include "analysis/BalanceSearch.h"

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
    // Two candidates in turn, so every call finds a new mid gear and new
    // settings.
    std::vector<double> a(objective.startValues().begin(), objective.startValues().end());
    std::vector<double> b = a;
    b[0] += 0.005; // the valve a little along its spindle
    b[1] += 0.01;  // the link pivot up
    bool flip = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(objective.evaluate((flip ? b : a).data()).j);
        flip = !flip;
    }
}

void BM_Floor_EightSettingsEvents(benchmark::State& state) {
    Model m = nominal();
    BalanceObjective objective(m, defaultBalanceProblem(m));
    std::vector<double> start(objective.startValues().begin(), objective.startValues().end());
    objective.evaluate(start.data());
    std::vector<Real> settings;
    for (const SettingEvents& s : objective.candidateEvents())
        settings.push_back(s.revArmPos);
    settings.push_back(
        clampSetting(m, static_cast<Ext>(m.gear.RevArmCen()) - m.frame.RevArmToCentMax));
    settings.push_back(
        clampSetting(m, static_cast<Ext>(m.gear.RevArmCen()) + m.frame.RevArmToCentMax));
    SettingEvents events;
    for (auto _ : state)
        for (Real s : settings)
            computeSettingEvents(m, s, events);
}

// On every core (the default), and on one (state.range(0) = 1), whose CPU
// time is then the whole work's.
void BM_DefaultBalanceOfNominal(benchmark::State& state) {
    const Model m = nominal();
    int evaluations = 0;
    double after = 0;
    for (auto _ : state) {
        BalanceObjective objective(m, defaultBalanceProblem(m));
        if (state.range(0) > 0) objective.setThreads(static_cast<int>(state.range(0)));
        const BalanceOutcome outcome = searchBalance(objective);
        evaluations = outcome.evaluations;
        after = outcome.after;
        benchmark::DoNotOptimize(outcome.after);
    }
    state.counters["evaluations"] = evaluations;
    state.counters["J"] = after;
}

} // namespace

BENCHMARK(BM_BalanceObjective)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor_EightSettingsEvents)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DefaultBalanceOfNominal)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
