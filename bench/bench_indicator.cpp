// The settled indicator computation of both cylinder ends at the normal
// forward setting, 300 rpm, with the perfect gas and with steam, and the
// default performance map (21 settings x 5 speeds, steam) on one core and on
// two; each beside its floor: the solves of the valve's motion and of the
// events that any computation from the real port openings has to pay. The
// machine is shared: compare CPU times, and real time for the map on two
// threads.

#include "analysis/Parallel.h"
#include "analysis/ValveEvents.h"
#include "model/Model.h"
#include "steam/Conditions.h"
#include "steam/Indicator.h"
#include "steam/Performance.h"
#include "steam/PortMotion.h"

#include <benchmark/benchmark.h>

using namespace corvellan;
using namespace corvellan::steam;

namespace {

Real normalForward(const Model& m) {
    return static_cast<Real>(static_cast<Ext>(m.gear.RevArmCen()) - m.frame.RevArmToCentNorm);
}

SiConditions conditions(const Model& m, FluidKind fluid) {
    Conditions c = defaultConditions();
    c.Fluid = fluid;
    return toSi(c, m);
}

void settled(benchmark::State& state, FluidKind kind) {
    Model scratch = nominalModel();
    const Real setting = normalForward(scratch);
    const SiConditions c = conditions(scratch, kind);
    const auto fluid = makeFluid(c);
    IndicatorOptions o;
    o.loopPoints = 0;
    for (auto _ : state) {
        SettingIndicator r = computeIndicator(scratch, setting, c, *fluid, o);
        benchmark::DoNotOptimize(r.front.mep);
    }
}

void BM_SettledPerfectGas(benchmark::State& s) {
    settled(s, FluidKind::PerfectGas);
}
void BM_SettledSteam(benchmark::State& s) {
    settled(s, FluidKind::Steam);
}

// The floor of one setting: its events and the valve's motion sampled from
// the program's own solve.
void BM_Floor_SettingMotion(benchmark::State& state) {
    Model scratch = nominalModel();
    const Real setting = normalForward(scratch);
    SettingEvents ev;
    for (auto _ : state) {
        computeSettingEvents(scratch, setting, ev);
        PortMotion motion(scratch, setting);
        benchmark::DoNotOptimize(motion.opening(0, 10));
    }
}

void BM_PerformanceMap(benchmark::State& state) {
    const Model m = nominalModel();
    const SiConditions c = conditions(m, FluidKind::Steam);
    const std::vector<Real> settings = sweepSettings(m);
    const int threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        PerformanceMap map;
        computePerformance(m, settings, defaultPerformanceSpeeds(), c, threads, map);
        benchmark::DoNotOptimize(map.cells.data());
    }
}

// The floor of the map: the motion and events of its 21 settings.
void BM_Floor_MapMotion(benchmark::State& state) {
    Model m = nominalModel();
    const std::vector<Real> settings = sweepSettings(m);
    SettingEvents ev;
    for (auto _ : state)
        for (Real s : settings) {
            computeSettingEvents(m, s, ev);
            PortMotion motion(m, s);
            benchmark::DoNotOptimize(motion.opening(0, 10));
        }
}

} // namespace

BENCHMARK(BM_SettledPerfectGas)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SettledSteam)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor_SettingMotion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PerformanceMap)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Floor_MapMotion)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
