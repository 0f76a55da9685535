// One whole animation tick (solve, valve computation, projection, outlines,
// frame render into the reused 1280 x 1024 picture) at the nominal view,
// beside the floor of any frame: filling the picture and copying it once.
//
// Each tick benchmark also reports x_floor: its time per tick divided by the
// floor measured in the same run.

#include "model/Dimensions.h"
#include "model/Model.h"
#include "platform/QPainterCanvas.h"
#include "view/MechanismView.h"
#include "view/Tick.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cfloat>
#include <vector>
#include <chrono>
#include <cstdlib>
#include <ctime>

using namespace corvellan;

namespace {

using Clock = std::chrono::steady_clock;

void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "bench_tick";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

// The floor: erase the picture and copy it to a window-sized surface.
struct Floor {
    QImage picture{1280, 1024, QImage::Format_RGB32};
    QImage surface{1280, 1024, QImage::Format_RGB32};
    void once() {
        picture.fill(Qt::white);
        QPainter p(&surface);
        p.drawImage(0, 0, picture);
    }
};

double floorNanoseconds() {
    static double ns = [] {
        Floor f;
        double best = 1e300;
        for (int batch = 0; batch < 5; ++batch) {
            const auto t0 = Clock::now();
            for (int i = 0; i < 50; ++i)
                f.once();
            const std::chrono::duration<double, std::nano> d = Clock::now() - t0;
            best = std::min(best, d.count() / 50);
        }
        return best;
    }();
    return ns;
}

void BM_Floor(benchmark::State& state) {
    ensureGuiApplication();
    Floor f;
    for (auto _ : state) {
        f.once();
        benchmark::DoNotOptimize(f.surface.constBits());
    }
}
BENCHMARK(BM_Floor)->Unit(benchmark::kMicrosecond);

// Six slots on the pivots that travel furthest, their paths shown.
void showSixPaths(Model& m) {
    const int pivots[] = {2, 3, 5, 6, 7, 11};
    for (int k = 1; k <= 6; ++k) {
        m.pivotData.slotPivot[k] = static_cast<Real>(pivots[k - 1]);
        m.pivotData.slotShown[k] = true;
    }
    m.pivotData.pathsShown = true;
}

// Gears with one dimension at a value that makes coordinates huge or not a
// number: each of the 36 at 1e30, the largest 4-byte real and its negative.
std::vector<Model> wildGears() {
    std::vector<Model> gears;
    for (const DimensionInfo& d : allDimensions())
        for (Real v : {1e30f, FLT_MAX, -FLT_MAX}) {
            Model m;
            initialiseModel(m);
            storeDimension(m, d.code, v);
            midGearCalc(m);
            m.display.steamDisplay = true;
            gears.push_back(m);
        }
    return gears;
}

enum class Gear { Nominal, NominalLevels2000, Wild, SixPaths };

void runTicks(benchmark::State& state, bool steam, Gear gear) {
    const bool wild = gear == Gear::Wild;
    ensureGuiApplication();
    const double floor = floorNanoseconds();
    std::vector<Model> gears;
    if (wild) {
        gears = wildGears();
    } else {
        gears.emplace_back();
        initialiseModel(gears.back());
        gears.back().display.steamDisplay = steam;
        if (gear == Gear::SixPaths) showSixPaths(gears.back());
    }
    FrameState f;
    SilentSound silence;
    QPainterCanvas picture;
    std::size_t next = 0;
    const auto t0 = Clock::now();
    for (auto _ : state) {
        Model& m = gears[next];
        next = (next + 1) % gears.size();
        if (gear == Gear::NominalLevels2000) m.events.front.steamLevel = m.events.rear.steamLevel = 2000;
        runTick(m, f, picture, silence);
    }
    benchmark::DoNotOptimize(picture.image().constBits());
    const std::chrono::duration<double, std::nano> d = Clock::now() - t0;
    state.counters["x_floor"] = d.count() / static_cast<double>(state.iterations()) / floor;
}


void BM_TickSteamOff(benchmark::State& state) {
    runTicks(state, false, Gear::Nominal);
}
BENCHMARK(BM_TickSteamOff)->Unit(benchmark::kMicrosecond);

void BM_TickSteamOnLevels2000(benchmark::State& state) {
    runTicks(state, true, Gear::NominalLevels2000);
}
BENCHMARK(BM_TickSteamOnLevels2000)->Unit(benchmark::kMicrosecond);

// A frame of a gear with huge coordinates must cost no more than ten normal
// ones: compare with BM_TickSteamOn.
void BM_TickSteamOn(benchmark::State& state) {
    runTicks(state, true, Gear::Nominal);
}
BENCHMARK(BM_TickSteamOn)->Unit(benchmark::kMicrosecond);

void BM_TickWildDimensions(benchmark::State& state) {
    runTicks(state, true, Gear::Wild);
}
BENCHMARK(BM_TickWildDimensions)->Unit(benchmark::kMicrosecond);

// The frame with six paths over the plain frame (steam off, no paths), both
// timed in this run in alternating batches on the thread's CPU clock, best
// batch of each: other work on the machine then weighs on both alike.
double pathsOverPlain() {
    static double ratio = [] {
        ensureGuiApplication();
        Model plain, paths;
        initialiseModel(plain);
        initialiseModel(paths);
        showSixPaths(paths);
        FrameState fp, fq;
        SilentSound silence;
        QPainterCanvas picture;
        auto batch = [&](Model& m, FrameState& f) {
            timespec a{}, b{};
            clock_gettime(CLOCK_THREAD_CPUTIME_ID, &a);
            for (int i = 0; i < 100; ++i)
                runTick(m, f, picture, silence);
            clock_gettime(CLOCK_THREAD_CPUTIME_ID, &b);
            return (b.tv_sec - a.tv_sec) * 1e9 + static_cast<double>(b.tv_nsec - a.tv_nsec);
        };
        double bestPlain = 1e300, bestPaths = 1e300;
        for (int round = 0; round < 9; ++round) {
            bestPlain = std::min(bestPlain, batch(plain, fp));
            bestPaths = std::min(bestPaths, batch(paths, fq));
        }
        return bestPaths / bestPlain;
    }();
    return ratio;
}

// Six pivot paths shown: solved once, then drawn every frame. x_plain is the
// cost of such a frame over the plain frame's.
void BM_TickSixPivotPaths(benchmark::State& state) {
    runTicks(state, false, Gear::SixPaths);
    state.counters["x_plain"] = pathsOverPlain();
}
BENCHMARK(BM_TickSixPivotPaths)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
