// One solve plus the valve computation: what every tick, every diagram sample
// and every data-table row costs.
#include "model/Model.h"
#include "model/Solver.h"
#include "model/Valve.h"

#include <benchmark/benchmark.h>

#include <cmath>

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

// Floor: the eleven sines, cosines and arctangents that one solve plus valve
// computation cannot avoid, with nothing else.
static void BM_Floor_TranscendentalsOnly(benchmark::State& state) {
    double x = 0.1;
    for (auto _ : state) {
        double s = 0;
        for (int i = 0; i < 4; ++i) s += std::sin(x + i) + std::cos(x - i);
        s += std::atan(x) + std::atan(x * 2) + std::atan2(x, 3.0);
        benchmark::DoNotOptimize(s);
        x += 1e-3;
    }
}
BENCHMARK(BM_Floor_TranscendentalsOnly);

BENCHMARK_MAIN();
