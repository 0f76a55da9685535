// The whole program under use: a smoke run that opens and closes every window
// once, and a soak of random user actions over many ticks. The soak's length
// comes from CORVELLAN_SOAK_TICKS (a short run by default; README gives the
// long one) and its seed from CORVELLAN_SOAK_SEED.

#include "SoakDriver.h"

#include "main/Commands.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPixmapCache>
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
// smallest step when `largest` (the largest text the program holds). With
// `keepTextScale`, the text scale stays as it is.
void openEveryWindow(SoakDriver& run, bool largest = false, bool keepTextScale = false) {
    std::set<QAction*> done;
    for (int round = 0; round < 2; ++round)
        for (QAction* a : commandActions(run.window()))
            if ((!keepTextScale || a->objectName() != "LargeFont") && done.insert(a).second)
                run.runCommand([a] { a->trigger(); }, false);
    if (!run.model().pivotData.mode)
        run.runCommand([&] { run.window().findChild<QAction*>("SetPivotData")->trigger(); }, false);
    auto* table = run.window().findChild<QPushButton*>("DataTableBut");
    ASSERT_TRUE(table && table->isVisible());
    const Real step = run.model().gear.StepAngleSetting;
    if (largest) run.model().gear.StepAngleSetting = 0.01f;
    run.runCommand([table] { table->click(); }, false);
    run.model().gear.StepAngleSetting = step;
}

void trigger(SoakDriver& run, const char* action, bool acceptFiles = false) {
    QAction* a = run.window().findChild<QAction*>(action);
    ASSERT_TRUE(a && a->isEnabled()) << action;
    run.runCommand([a] { a->trigger(); }, false, acceptFiles);
}

// What the program holds: resident memory once the C library has handed the
// free pages of its heaps back (malloc_trim), and the heap blocks in use;
// beside them, what Qt's pixmap cache held before it was emptied.
struct Memory {
    long residentKb;
    long heapKb;
    long pixmapCacheKb;
};

// Every window of the program shown once at the large text scale (the scale
// then put back), and the memory read. A window keeps a picture and a backing
// store of the size it last showed at, megabytes for a diagram, so what the
// program holds swings with the scale each window last saw; readings taken
// this way compare like with like, and what still grows is what accumulates.
// `windows`: the program's windows that must have shown.
Memory readMemory(SoakDriver& run, const std::set<std::string>& windows) {
    Memory memory{-1, -1, -1};
    const bool large = run.model().display.textScaleH > 1;
    if (!large) trigger(run, "LargeFont");
    run.forgetRecentWindows();
    // Twice, so that the modes the first pass switched are back, and a
    // window that a mode kept out of reach on one pass is reached on the other.
    openEveryWindow(run, false, true);
    openEveryWindow(run, false, true);
    // The compare window needs a second gear: the scratch file.
    trigger(run, "CompareWith", true);
    if (!large) trigger(run, "LargeFont");
    for (const std::string& w : windows)
        EXPECT_EQ(run.recentWindows().count(w), 1u) << w << " was not shown before the reading";
    // No mallopt: trimming hands back every free page wherever glibc's
    // sliding mmap threshold put the block freed there, so the program is
    // measured with the allocator as users run it.
    malloc_trim(0);
    const long withCache = heapInUseKb();
    // Qt's pixmap cache holds what the widgets drew lately (a file dialog's
    // list header, say, draws a pixmap made anew each time) until its limit
    // (10 MB) pushes the oldest out: bounded, and Qt's, so it is emptied for
    // the reading and its size reported.
    QPixmapCache::clear();
    malloc_trim(0);
    memory.residentKb = residentKb();
    memory.heapKb = heapInUseKb();
    memory.pixmapCacheKb = withCache - memory.heapKb;
    return memory;
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
    for (const char* name : {"SaveAsDimensions", "CompareWith", "CompareWindow"})
        trigger(run, name, true);
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
    QTemporaryDir dir;
    SoakDriver run(seed, dir.filePath("soak.dco"));
    malloc_trim(0);
    const Memory start{residentKb(), heapInUseKb(), 0};
    // Each window once first, the data table at its largest, a save and an
    // open through the file dialogs, and a round at the large text scale, so
    // that what is made once and kept (fonts and glyphs, the file dialog's
    // caches, pictures and backing stores) is in place before the first
    // reading after 10,000 ticks.
    openEveryWindow(run, true);
    for (const char* name : {"SaveAsDimensions", "OpenDimensions"})
        trigger(run, name, true);
    std::set<std::string> windows;
    readMemory(run, windows);
    for (const std::string& w : run.recentWindows())
        if (w.rfind("corvellan::", 0) == 0) windows.insert(w);

    const long long settle = std::min<long long>(10000, total / 2);
    run.runTicks(settle, true);
    long peak = residentKb(); // as the user sees it, before any trim
    const Memory settled = readMemory(run, windows);
    Memory end = settled;
    for (long long done = settle; done < total;) {
        const long long chunk = std::min<long long>(10000, total - done);
        run.runTicks(chunk, true);
        done += chunk;
        peak = std::max(peak, residentKb());
        end = readMemory(run, windows);
        std::printf("soak: %lld ticks, resident %ld kB, heap in use %ld kB, pixmap cache %ld kB\n",
                    done, end.residentKb, end.heapKb, end.pixmapCacheKb);
        std::fflush(stdout);
    }
    std::printf("soak: seed %u, %lld ticks; resident memory start %ld kB, after %lld ticks %ld kB, "
                "end %ld kB, peak %ld kB; heap in use start %ld kB, after %lld ticks %ld kB, "
                "end %ld kB; pixmap cache emptied after %lld ticks %ld kB, end %ld kB; "
                "windows seen %zu\n",
                seed, run.ticks(), start.residentKb, settle, settled.residentKb, end.residentKb,
                peak, start.heapKb, settle, settled.heapKb, end.heapKb, settle,
                settled.pixmapCacheKb, end.pixmapCacheKb, run.windowsSeen().size());
    run.finish();
    EXPECT_GE(run.ticks(), total);
    EXPECT_GE(run.windowsSeen().size(), total >= 3000 ? 5u : 0u); // the hand reached the windows
    // Growth is judged on a long run only, after the caches have filled.
    if (total >= 50000) {
        EXPECT_LT(end.residentKb - settled.residentKb, 2048) << "resident memory grew";
        EXPECT_LT(end.heapKb - settled.heapKb, 2048) << "the heap in use grew";
    }
}
