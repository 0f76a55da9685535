// Each diagram's full draw for the nominal gear with the three positions of
// the positions dialog, erased and drawn into a 632 x 414 painter canvas as a
// window redraw does. Beside them: the floor of any redraw (erasing the
// picture), the same draws into a RecordingCanvas (the solver and arithmetic
// without rasterising), and the solver work alone. While a second gear is
// compared, its curves are drawn over each diagram: those draws again, with
// the floor of twice the solves.

#include "diagrams/CompareOverlay.h"
#include "diagrams/OvalDiagram.h"
#include "diagrams/PortDiagram.h"
#include "diagrams/SineDiagram.h"
#include "diagrams/SteamDiagram.h"
#include "model/DiagramPositions.h"
#include "model/Model.h"
#include "model/Solver.h"
#include "model/Valve.h"
#include "platform/QPainterCanvas.h"
#include "view/RecordingCanvas.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace corvellan;

namespace {

void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "bench_diagrams";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

Model nominal() {
    Model m;
    initialiseModel(m);
    refreshDiagramPositions(m);
    solve(m);
    computeValve(m);
    return m;
}

template <void (*Draw)(Model&, Canvas&)> void BM_Painter(benchmark::State& state) {
    ensureGuiApplication();
    Model m = nominal();
    QPainterCanvas canvas(632, 414);
    for (auto _ : state) {
        canvas.erase(colours::White);
        Draw(m, canvas);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}

template <void (*Draw)(Model&, Canvas&)> void BM_Recording(benchmark::State& state) {
    Model m = nominal();
    RecordingCanvas canvas(632, 414);
    for (auto _ : state) {
        canvas.clear();
        Draw(m, canvas);
        benchmark::DoNotOptimize(canvas.primitives().data());
    }
}

void BM_Floor_Erase(benchmark::State& state) {
    ensureGuiApplication();
    QPainterCanvas canvas(632, 414);
    for (auto _ : state) {
        canvas.erase(colours::White);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}

// The solves a draw cannot avoid: 67 per position for the sine diagram,
// 46 for the oval, 150 with the valve computation for the steam diagram and
// 19 x 91 for the port diagram.
void BM_Floor_Solves(benchmark::State& state) {
    Model m = nominal();
    const int solves = static_cast<int>(state.range(0));
    for (auto _ : state) {
        for (int k = 0; k < solves; ++k) {
            m.gear.DriverAngle = static_cast<Real>(k % 360);
            solve(m);
            computeValve(m);
        }
        benchmark::DoNotOptimize(m.valve.PistonTravelPos);
    }
}

void drawPortsBoth(Model& m, Canvas& c) {
    choosePortGraph(m, c, 'B');
}

// The nominal gear with a later eccentric, as gear B.
const Model& gearB() {
    static const Model b = [] {
        Model m = nominal();
        storeDimension(m, EccCrankAngleDegCode, 176);
        return m;
    }();
    return b;
}

// A diagram with gear B drawn over it, as while comparing.
template <DiagramKind Kind, void (*Draw)(Model&, Canvas&)> void drawWithB(Model& m, Canvas& c) {
    Draw(m, c);
    drawComparison(Kind, m, gearB(), c);
}

} // namespace

BENCHMARK(BM_Floor_Erase);
BENCHMARK(BM_Painter<drawSineDiagram>)->Name("Sine/Painter")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Painter<drawOvalDiagram>)->Name("Oval/Painter")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Painter<drawSteamDiagram>)->Name("Steam/Painter")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Painter<drawPortDiagram>)->Name("Ports/Painter")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Painter<drawPortsBoth>)->Name("PortsBoth/Painter")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Painter<drawWithB<DiagramKind::Sine, drawSineDiagram>>)
    ->Name("SineWithB/Painter")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Painter<drawWithB<DiagramKind::Oval, drawOvalDiagram>>)
    ->Name("OvalWithB/Painter")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Painter<drawWithB<DiagramKind::Steam, drawSteamDiagram>>)
    ->Name("SteamWithB/Painter")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Painter<drawWithB<DiagramKind::Ports, drawPortsBoth>>)
    ->Name("PortsBothWithB/Painter")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Recording<drawSineDiagram>)->Name("Sine/Recording")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Recording<drawOvalDiagram>)->Name("Oval/Recording")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Recording<drawSteamDiagram>)->Name("Steam/Recording")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Recording<drawPortDiagram>)->Name("Ports/Recording")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor_Solves)
    ->Arg(3 * 67)
    ->Arg(3 * 46)
    ->Arg(3 * 150)
    ->Arg(19 * 91)
    ->Arg(2 * 3 * 67)
    ->Arg(2 * 3 * 46)
    ->Arg(2 * 3 * 150)
    ->Arg(2 * 2 * 19 * 91)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
