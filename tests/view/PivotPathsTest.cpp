// Pivot paths: solved over one turn when the gear or the slots change, never
// because the driver turned, and drawn as closed curves in the slots'
// colours under the linkage.
#include "ViewTestSupport.h"

#include "model/PivotPaths.h"
#include "model/Solver.h"
#include "view/PivotPathLayer.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace corvellan;
using namespace corvellan::testing;

namespace {

void bind(Model& m, int slot, int pivot) {
    m.pivotData.slotPivot[slot] = static_cast<Real>(pivot);
    m.pivotData.slotShown[slot] = true;
}

} // namespace

TEST(PivotPaths, SolvedAgainOnlyWhenTheGearOrTheSlotsChange) {
    Model m = nominalModel();
    bind(m, 1, 2);                // crank pin
    bind(m, 2, 5);                // eccentric pin
    m.pivotData.slotPivot[3] = 7; // not shown: no path
    PivotPaths paths;
    ASSERT_TRUE(paths.update(m));
    ASSERT_EQ(paths.paths().size(), 2u);
    EXPECT_EQ(paths.paths()[1].slot, 2);

    // The driver turning, the view moving: nothing to solve.
    m.gear.DriverAngle = 123;
    m.view.current.ViewScale = 40;
    EXPECT_FALSE(paths.update(m));

    const struct {
        const char* what;
        void (*change)(Model&);
    } kChanges[] = {
        {"reverse arm", [](Model& m) { m.gear.RevArmPos = -1.0f; }},
        {"dimension", [](Model& m) { storeDimension(m, StrokeCode, 30); }},
        {"link pivot", [](Model& m) { storeDimension(m, LinkPivotHorzCode, 1.5); }},
        {"slot pivot", [](Model& m) { m.pivotData.slotPivot[1] = 6; }},
        {"slot shown", [](Model& m) { m.pivotData.slotShown[3] = true; }},
    };
    for (const auto& c : kChanges) {
        c.change(m);
        EXPECT_TRUE(paths.update(m)) << c.what;
        EXPECT_FALSE(paths.update(m)) << c.what;
    }
    EXPECT_EQ(paths.paths().size(), 3u);
}

TEST(PivotPaths, EachPointIsThePivotAtThatWholeDegree) {
    Model m = nominalModel();
    bind(m, 1, 2);
    bind(m, 2, 7);
    m.gear.RevArmPos = -1.2f;
    PivotPaths paths;
    paths.update(m);
    const PivotPath& crank = paths.paths()[0];
    ASSERT_EQ(crank.x.size(), 360u);
    // The crank pin circles the driver centre at half the stroke.
    for (std::size_t k = 0; k < crank.x.size(); k += 15)
        EXPECT_NEAR(std::hypot(crank.x[k] - m.pivots.X[1], crank.y[k] - m.pivots.Y[1]),
                    m.frame.Stroke / 2, 1e-4)
            << k;
    // The lever top at 237 degrees is where the solver puts it there.
    Model g = m;
    g.gear.DriverAngle = 237;
    solve(g);
    EXPECT_EQ(paths.paths()[1].x[237], g.pivots.X[7]);
    EXPECT_EQ(paths.paths()[1].y[237], g.pivots.Y[7]);
}

TEST(PivotPaths, FrameDrawsClosedCurvesInSlotColoursUnderTheLinkage) {
    Model m = nominalModel();
    bind(m, 1, 2);
    bind(m, 4, 5);
    FrameState f = fixedFrame();
    CountingSound sound;
    RecordingCanvas c;
    runTick(m, f, c, sound);
    EXPECT_TRUE(ofKindAndColour(c, PrimitiveKind::Polyline, pivotPathColour(1)).empty());

    m.pivotData.pathsShown = true;
    c.clear();
    runTick(m, f, c, sound);
    for (int slot : {1, 4}) {
        const auto curves = ofKindAndColour(c, PrimitiveKind::Polyline, pivotPathColour(slot));
        ASSERT_EQ(curves.size(), 1u) << slot;
        const std::vector<int>& xy = curves[0].coords;
        ASSERT_GT(xy.size(), 40u) << slot;
        EXPECT_EQ(xy[0], xy[xy.size() - 2]) << slot;
        EXPECT_EQ(xy[1], xy[xy.size() - 1]) << slot;
    }
    EXPECT_NE(pivotPathColour(1), pivotPathColour(4));
    // Drawn before the first bar of the linkage, the red main rod.
    const auto& all = c.primitives();
    std::size_t path = all.size(), rod = all.size();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (path == all.size() && all[i].colour == pivotPathColour(1)) path = i;
        if (rod == all.size() && all[i].kind == PrimitiveKind::Line &&
            all[i].colour == colours::Red)
            rod = i;
    }
    EXPECT_LT(path, rod);
}
