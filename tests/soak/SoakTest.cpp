// The whole program under use: a smoke run that opens and closes every window
// once, and a soak of random user actions over many ticks. The soak's length
// comes from CORVELLAN_SOAK_TICKS (a short run by default; README gives the
// long one) and its seed from CORVELLAN_SOAK_SEED.

#include "SoakDriver.h"

#include "main/Commands.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <malloc.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

using namespace corvellan;
using namespace corvellan::test;

namespace {

long long envNumber(const char* name, long long fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::atoll(text) : fallback;
}

// Every command of the menus, the menu bar and the tool bar once, each window
// closed as soon as it is up (a second round takes the commands that the modes
// switched on by the first one have shown), then the data table, at its
// smallest step when `largest` (the largest text the program holds).
void openEveryWindow(SoakDriver& run, bool largest = false) {
    std::set<QAction*> done;
    for (int round = 0; round < 2; ++round)
        for (QAction* a : commandActions(run.window()))
            if (done.insert(a).second) run.runCommand([a] { a->trigger(); }, false);
    if (!run.model().pivotData.mode)
        run.runCommand([&] { run.window().findChild<QAction*>("SetPivotData")->trigger(); }, false);
    auto* table = run.window().findChild<QPushButton*>("DataTableBut");
    ASSERT_TRUE(table && table->isVisible());
    const Real step = run.model().gear.StepAngleSetting;
    if (largest) run.model().gear.StepAngleSetting = 0.01f;
    run.runCommand([table] { table->click(); }, false);
    run.model().gear.StepAngleSetting = step;
}

} // namespace

TEST(Smoke, EveryWindowOpensAndClosesWithSteamRunning) {
    QTemporaryDir dir;
    SoakDriver run(1, dir.filePath("smoke.dco"));
    run.runCommand([&] { run.window().commands().toggleSteam(); }, false);
    ASSERT_TRUE(run.model().display.steamDisplay);
    run.runTicks(500, false);
    openEveryWindow(run);
    // Gear B for the compare window, from a file saved first.
    for (const char* name : {"SaveAsDimensions", "CompareWith", "CompareWindow"}) {
        QAction* a = run.window().findChild<QAction*>(name);
        ASSERT_TRUE(a && a->isEnabled()) << name;
        run.runCommand([a] { a->trigger(); }, false, true);
    }
    for (const char* window : {"TFrameDi", "TCylDimen", "TSineDia", "TOvalDia", "TSteamDia",
                               "TPortDia", "TSetRevArm", "TDataTable", "TDrawLines", "TRefPnts",
                               "TInst", "TCvOSpInst", "TAboutBox", "TRevPos", "TDrivAng", "TStpAng",
                               "TGraphZoom", "TValveEvents", "TBalance", "TCompare"})
        EXPECT_EQ(run.windowsSeen().count(std::string("corvellan::") + window), 1u) << window;
    run.runTicks(10, false);
    run.finish();
    EXPECT_TRUE(run.window().close());
    EXPECT_FALSE(run.window().isVisible());
}

TEST(Soak, RandomUserActionsOverManyTicks) {
    const long long total = envNumber("CORVELLAN_SOAK_TICKS", 3000);
    const unsigned seed = static_cast<unsigned>(envNumber("CORVELLAN_SOAK_SEED", 4242));
    // glibc raises its mmap threshold each time a large block is freed, after
    // which blocks of several MB (a data table's text) come from the heap and
    // stay resident once freed: memory grows in steps that are the
    // allocator's, not the program's. A fixed threshold makes the resident
    // figure follow what the program holds.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    QTemporaryDir dir;
    SoakDriver run(seed, dir.filePath("soak.dco"));
    const long start = residentKb();
    // Each window once first, at both text scales, and a save and an open
    // through the file dialogs, so that what is made once and kept (the
    // largest data table, pictures grown with the text, the file dialog's
    // caches) is in place before the memory is measured after 10,000 ticks.
    openEveryWindow(run, true);
    QAction* largeFont = run.window().findChild<QAction*>("LargeFont");
    ASSERT_NE(largeFont, nullptr);
    run.runCommand([largeFont] { largeFont->trigger(); }, false);
    openEveryWindow(run, true);
    run.runCommand([largeFont] { largeFont->trigger(); }, false);
    for (const char* name : {"SaveAsDimensions", "OpenDimensions"}) {
        QAction* file = run.window().findChild<QAction*>(name);
        ASSERT_NE(file, nullptr) << name;
        run.runCommand([file] { file->trigger(); }, true);
    }
    const long long settle = std::min<long long>(10000, total / 2);
    run.runTicks(settle, true);
    const long settled = residentKb();
    long long done = settle;
    long peak = settled;
    while (done < total) {
        const long long chunk = std::min<long long>(std::getenv("SOAK_PROBE") ? 1000 : 10000, total - done);
        run.runTicks(chunk, true);
        done += chunk;
        peak = std::max(peak, residentKb());
        std::printf("soak: %lld ticks, resident %ld kB", done, residentKb());
        if (std::getenv("SOAK_PROBE")) for (const auto& w : run.windowsSeen()) std::printf(" %s", w.c_str() + 11);
        std::printf("\n");
        std::fflush(stdout);
    }
    const long end = residentKb();
    std::printf("soak: seed %u, %lld ticks; resident memory start %ld kB, after %lld ticks %ld kB, "
                "end %ld kB, peak %ld kB; windows seen %zu\n",
                seed, run.ticks(), start, settle, settled, end, peak, run.windowsSeen().size());
    run.finish();
    EXPECT_GE(run.ticks(), total);
    EXPECT_GE(run.windowsSeen().size(), total >= 3000 ? 5u : 0u); // the hand reached the windows
    // Growth is judged on a long run only, after the caches have filled.
    if (total >= 50000) {
        EXPECT_LT(end - settled, 2048) << "resident memory grew";
    }
}
