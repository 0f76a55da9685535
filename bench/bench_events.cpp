// The valve events of the 21-setting sweep for the nominal gear (with the
// search for the true neutral of each end), beside its
// floor: the 21 x 360 one-degree samples alone (a solve and the valve
// computation each), which any exact search has to pay before refining.

#include "model/Model.h"
#include "analysis/ValveEvents.h"

#include "SampleFloor.h"

#include <benchmark/benchmark.h>

using namespace corvellan;

namespace {

void BM_EventsSweep(benchmark::State& state) {
    const Model m = nominalModel();
    const std::vector<Real> settings = sweepSettings(m);
    for (auto _ : state) {
        EventsReport report = computeEvents(m, settings);
        benchmark::DoNotOptimize(report.settings.data());
    }
}

// One setting on a reused copy and result, as an optimiser calls it.
void BM_EventsOneSettingReused(benchmark::State& state) {
    Model scratch = nominalModel();
    const Real setting = sweepSettings(scratch)[10];
    SettingEvents out;
    for (auto _ : state) {
        computeSettingEvents(scratch, setting, out);
        benchmark::DoNotOptimize(out.events.data());
    }
}

void BM_Floor_SweepSamples(benchmark::State& state) {
    Model m = nominalModel();
    const std::vector<Real> settings = sweepSettings(m);
    for (auto _ : state)
        sampleTurns(m, settings);
}

} // namespace

BENCHMARK(BM_EventsSweep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor_SweepSamples)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EventsOneSettingReused)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
