// The design-space tools on the nominal gear, each beside the floor of its
// events computations: the one-degree samples of every setting's turn (a
// solve and the valve computation each) that the events of those settings
// have to pay before refining, on one thread.
//
// - the sensitivity of all 36 dimensions at the 3 diagram positions;
// - a 10,000-sample tolerance study at 4 settings, on one thread and on two;
// - its cost against the samples: 1,000 and 10,000 (and 100,000 when
//   CORVELLAN_BENCH_LONG is set: it takes a minute);
// - a 100 x 100 sweep at one setting.

#include "analysis/Sensitivity.h"
#include "analysis/Sweep.h"
#include "analysis/Tolerance.h"
#include "model/Model.h"

#include "SampleFloor.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace corvellan;

namespace {

const std::vector<Ext> kFourSettings{-1.5L, -0.75L, 0.75L, 1.5L};

// The floor of `events` settings' events: that many sampled turns, at the
// settings given in turn.
void floorOf(benchmark::State& state, long long events, const std::vector<Ext>& offsets) {
    Model m = nominalModel();
    std::vector<Real> settings;
    for (long long i = 0; i < events; ++i)
        settings.push_back(settingOf(m, offsets[static_cast<size_t>(i) % offsets.size()]));
    for (auto _ : state)
        sampleTurns(m, settings);
    state.counters["events"] = static_cast<double>(events);
}

SensitivityOptions sensitivityAtDiagramPositions(const Model& m, int threads) {
    SensitivityOptions o;
    o.offsets = settingOffsets(m, diagramPositionSettings(m));
    o.threads = threads;
    return o;
}

void BM_Sensitivity36x3(benchmark::State& state) {
    const Model m = nominalModel();
    const SensitivityOptions o = sensitivityAtDiagramPositions(m, static_cast<int>(state.range(0)));
    long long events = 0;
    for (auto _ : state) {
        const SensitivityReport r = computeSensitivity(m, o);
        events = r.eventsComputed();
        benchmark::DoNotOptimize(r.settings.data());
    }
    state.counters["events"] = static_cast<double>(events);
}

void BM_Floor_Sensitivity36x3(benchmark::State& state) {
    const Model m = nominalModel();
    const SensitivityOptions o = sensitivityAtDiagramPositions(m, 1);
    floorOf(state, computeSensitivity(m, o).eventsComputed(), o.offsets);
}

ToleranceOptions study(long long samples, std::vector<Ext> offsets, int threads) {
    ToleranceOptions o;
    o.samples = samples;
    o.tolerances = defaultTolerances();
    o.pinClearance = 0.001;
    o.offsets = std::move(offsets);
    o.threads = threads;
    return o;
}

void BM_Tolerance10kAt4(benchmark::State& state) {
    const Model m = nominalModel();
    const ToleranceOptions o = study(10000, kFourSettings, static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(computeTolerance(m, o).settings.data());
    state.counters["events"] = 40000;
}

void BM_Floor_Tolerance10kAt4(benchmark::State& state) {
    floorOf(state, 40000, kFourSettings);
}

// One setting on every core: the cost against the sample count.
void BM_ToleranceSamples(benchmark::State& state) {
    const Model m = nominalModel();
    const ToleranceOptions o = study(state.range(0), {-0.75L}, defaultThreadCount());
    for (auto _ : state)
        benchmark::DoNotOptimize(computeTolerance(m, o).settings.data());
    state.counters["per_sample_us"] = benchmark::Counter(
        static_cast<double>(state.range(0)) * 1e-6,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Sweep100x100(benchmark::State& state) {
    const Model m = nominalModel();
    SweepOptions o;
    o.axes = {{LinkPivotHorzCode, -0.1L, 0.1L, 100}, {LinkPivotVertCode, 3.05L, 3.25L, 100}};
    o.offsets = {-0.75L};
    o.threads = static_cast<int>(state.range(0));
    std::vector<SweepPoint> points;
    for (auto _ : state) {
        computeSweep(m, o, points);
        benchmark::DoNotOptimize(points.data());
    }
    state.counters["events"] = 10000;
}

void BM_Floor_Sweep100x100(benchmark::State& state) {
    floorOf(state, 10000, {-0.75L});
}

void registerScaling() {
    auto* b = benchmark::RegisterBenchmark("BM_ToleranceSamples", BM_ToleranceSamples);
    b->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
    if (std::getenv("CORVELLAN_BENCH_LONG")) b->Arg(100000);
}

} // namespace

BENCHMARK(BM_Sensitivity36x3)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Floor_Sensitivity36x3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tolerance10kAt4)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK(BM_Floor_Tolerance10kAt4)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Sweep100x100)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK(BM_Floor_Sweep100x100)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    registerScaling();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
