// The steam fluid's inverse, the cylinder model's hot path: a state from
// density and energy, warm-started from the previous state of the same
// volume, cold, and from pressure and entropy; beside its floor, one
// evaluation of the basic equations the state has to come from (region 2
// for the vapour; regions 1 and 2 on the saturation line for the wet).

#include "steam/Fluid.h"
#include "steam/IF97.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

using namespace corvellan::steam;

namespace {

struct Target {
    double rho, u;
};

// A closed expansion from 7.2 bar: `wet` from dry saturated steam (into the
// wet region at once), otherwise from 250 C (superheated throughout the
// first half of the volume ratio), in steps of `step` in density, as the
// integrator of a cylinder end walks its state.
std::vector<Target> expansion(bool wet, double step) {
    const auto steam = makeSteam();
    FluidState st =
        wet ? steam->saturatedVapour(7.2e5) : steam->fromPressureTemperature(7.2e5, 523.15);
    const double rhoEnd = st.rho / (wet ? 3 : 1.5);
    std::vector<Target> path;
    while (st.rho > rhoEnd && path.size() < 100000) {
        const double rho = st.rho * (1 - step);
        const double u = st.u - st.p * (1 / rho - 1 / st.rho); // du = -p dv
        st = steam->fromDensityEnergy(rho, u, &st);
        path.push_back({rho, u});
    }
    return path;
}

void walk(benchmark::State& state, bool wet, bool warm) {
    const auto steam = makeSteam();
    const std::vector<Target> path = expansion(wet, state.range(0) * 1e-6);
    FluidState st = steam->fromDensityEnergy(path[0].rho, path[0].u);
    std::size_t k = 0;
    for (auto _ : state) {
        const Target& t = path[k];
        st = steam->fromDensityEnergy(t.rho, t.u, warm ? &st : nullptr);
        // A const copy: DoNotOptimize on a writable double lets GCC clobber
        // it (google/benchmark issue 903), which would wreck the next hint.
        const double p = st.p;
        benchmark::DoNotOptimize(p);
        if (++k == path.size()) k = 0; // back to the start: one cold call per pass
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_DensityEnergyWarmSuperheated(benchmark::State& s) {
    walk(s, false, true);
}
void BM_DensityEnergyWarmWet(benchmark::State& s) {
    walk(s, true, true);
}
void BM_DensityEnergyColdSuperheated(benchmark::State& s) {
    walk(s, false, false);
}
void BM_DensityEnergyColdWet(benchmark::State& s) {
    walk(s, true, false);
}

// A volume at the saturation line, crossing it on every call: 0.5 K of
// superheat at 5 bar, then quality 0.9995 at the same pressure.
void BM_DensityEnergyWarmAcrossTheLine(benchmark::State& state) {
    const auto steam = makeSteam();
    const double p = 5e5, Ts = if97::saturationTemperature(p);
    const if97::Properties f = if97::region1(p, Ts), g = if97::region2(p, Ts);
    const FluidState dry = steam->fromPressureTemperature(p, Ts + 0.5);
    const double x = 0.9995;
    const Target path[2] = {{dry.rho, dry.u}, {1 / (f.v + x * (g.v - f.v)), f.u + x * (g.u - f.u)}};
    FluidState st = dry;
    std::size_t k = 0;
    for (auto _ : state) {
        st = steam->fromDensityEnergy(path[k].rho, path[k].u, &st);
        const double q = st.quality;
        benchmark::DoNotOptimize(q);
        k ^= 1;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_PressureEntropy(benchmark::State& state) {
    const auto steam = makeSteam();
    const FluidState chest = steam->fromPressureTemperature(7.2e5, 523.15);
    // The exhaust of a superheated chest (range 0: superheated still) and
    // of a saturated one (range 1: wet).
    const double s = state.range(0) ? steam->saturatedVapour(7.2e5).s : chest.s;
    const double p = state.range(0) ? 1.15e5 : 4e5;
    for (auto _ : state)
        benchmark::DoNotOptimize(steam->fromPressureEntropy(p, s).u);
    state.SetItemsProcessed(state.iterations());
}

void BM_Floor_Region2(benchmark::State& state) {
    double p = 4e5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(if97::region2(p, 480).v);
        p += 1e-3;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Floor_SaturationPair(benchmark::State& state) {
    double T = 420;
    for (auto _ : state) {
        const double p = if97::saturationPressure(T);
        benchmark::DoNotOptimize(if97::region1(p, T).v + if97::region2(p, T).v);
        T += 1e-9;
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

// The argument is the step in density along the expansion, in parts per million.
BENCHMARK(BM_DensityEnergyWarmSuperheated)->Arg(1000)->Arg(10);
BENCHMARK(BM_DensityEnergyWarmWet)->Arg(1000)->Arg(10);
BENCHMARK(BM_DensityEnergyWarmAcrossTheLine);
BENCHMARK(BM_DensityEnergyColdSuperheated)->Arg(1000);
BENCHMARK(BM_DensityEnergyColdWet)->Arg(1000);
BENCHMARK(BM_PressureEntropy)->Arg(0)->Arg(1);
BENCHMARK(BM_Floor_Region2);
BENCHMARK(BM_Floor_SaturationPair);

BENCHMARK_MAIN();
