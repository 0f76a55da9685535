// The "DataTable" button at the smallest step, 0.01 degree, from the click to
// the text shown: the window builds 36001 rows (36001 solves), sets them into
// its memo in one piece, and paints its first screen. Target: under 150 ms.
// Beside it, the floors: the table text alone, and the memo taking a ready
// text and painting it.
#include "TableBenchSetup.h"

#include "main/DataTableWindow.h"
#include "model/PivotDataTable.h"

#include <QApplication>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace corvellan;
using namespace corvellan::bench;

// Click to text shown: the window opens (and builds), then paints.
static void BM_DataTableWindow_Step001(benchmark::State& state) {
    Model m = tableModel();
    TDataTable table(m, fixedClock, nullptr);
    table.setModal(false);
    for (auto _ : state) {
        table.show();
        table.repaint();
        QApplication::processEvents();
        state.PauseTiming();
        table.hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["blocks"] = table.memo()->blockCount();
}
BENCHMARK(BM_DataTableWindow_Step001)->Unit(benchmark::kMillisecond)->UseRealTime();

// Floor 1: the table's text alone (the solves and the formatting).
static void BM_Floor_TableText_Step001(benchmark::State& state) {
    Model m = tableModel();
    for (auto _ : state) {
        std::string text = buildPivotDataTable(m, kTableDate, kTableTime);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_Floor_TableText_Step001)->Unit(benchmark::kMillisecond)->UseRealTime();

// Floor 2: the memo taking the ready text in one piece and painting it.
static void BM_Floor_MemoSetText_Step001(benchmark::State& state) {
    Model m = tableModel();
    const std::string text = buildPivotDataTable(m, kTableDate, kTableTime);
    const QString qtext = QString::fromStdString(text);
    TDataTable table(m, fixedClock, nullptr);
    table.setModal(false);
    table.show();
    QApplication::processEvents();
    for (auto _ : state) {
        table.memo()->setPlainText(qtext);
        table.repaint();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_Floor_MemoSetText_Step001)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    // No display needed.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
