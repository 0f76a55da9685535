// The pivot data table at the smallest step, 0.01 degree: 36001 solves and
// 36001 rows of text, what the "DataTable" button costs before the window
// shows the text. Target: under 150 ms from the click to the text shown.
#include "TableBenchSetup.h"

#include "model/PivotDataTable.h"
#include "model/Solver.h"

#include <benchmark/benchmark.h>

using namespace corvellan;
using namespace corvellan::bench;

static void BM_PivotDataTable_Step001(benchmark::State& state) {
    Model m = tableModel();
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string text = buildPivotDataTable(m, kTableDate, kTableTime);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PivotDataTable_Step001)->Unit(benchmark::kMillisecond);

// The same rows as CSV, every figure its shortest decimal. Target: at most
// 1.5 times the text above (BM_PivotDataTable_Step001).
static void BM_PivotDataCsv_Step001(benchmark::State& state) {
    Model m = tableModel();
    for (auto _ : state) {
        std::string text = buildPivotDataCsv(m);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_PivotDataCsv_Step001)->Unit(benchmark::kMillisecond);

// Floor: the 36001 solves alone, without any text.
static void BM_Floor_36001Solves(benchmark::State& state) {
    Model m = tableModel();
    for (auto _ : state) {
        for (int k = 0; k <= 36000; ++k) {
            m.gear.DriverAngle = static_cast<Real>(k * 0.01L);
            solve(m);
        }
        benchmark::DoNotOptimize(m.pivots.X[3]);
    }
}
BENCHMARK(BM_Floor_36001Solves)->Unit(benchmark::kMillisecond);

// The text alone with the printf-based formatter, for comparison with the
// fast one the table uses: 13 numbers a row.
static void BM_Compare_FormatFixedRows(benchmark::State& state) {
    Model m = tableModel();
    solve(m);
    for (auto _ : state) {
        std::string out;
        out.reserve(36001 * 132);
        for (int k = 0; k <= 36000; ++k) {
            out += formatFixed(k * 0.01f, 7, 2);
            for (int s = 0; s < 6; ++s) {
                out += formatFixed(m.pivots.Y[s + 2], 9, 3);
                out += formatFixed(m.pivots.X[s + 2], 7, 3);
            }
            out += '\n';
        }
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_Compare_FormatFixedRows)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
