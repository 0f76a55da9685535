// One solve plus the valve computation: what every tick, every diagram sample
// and every data-table row costs.
#include "model/Model.h"
#include "model/Solver.h"
#include "model/Valve.h"

#include <benchmark/benchmark.h>

using namespace corvellan;

static void BM_SolveAndValve(benchmark::State& state) {
    Model m;
    initialiseModel(m);
    m.gear.RevArmPos = m.gear.RevArmPositions[2];
    float angle = 0;
    for (auto _ : state) {
        m.gear.DriverAngle = angle;
        solve(m);
        computeValve(m);
        benchmark::DoNotOptimize(m.valve.PistonTravelPos);
        angle += 1.0f;
        if (angle >= 360) angle = 0;
    }
}
BENCHMARK(BM_SolveAndValve);

BENCHMARK_MAIN();
