#include "TickFixture.h"

#include <gtest/gtest.h>

#include <limits>

using namespace corvellan;
using namespace corvellan::testing;

namespace {

struct Tick : TickFixture {};

} // namespace

TEST_F(Tick, DrawsTheAngleBeforeTheAdvance) {
    m.gear.DriverAngle = 180;
    tick();
    EXPECT_FLOAT_EQ(m.gear.DriverAngle, 190);
    EXPECT_FLOAT_EQ(m.valve.PistonTravelPos, 640); // rear dead centre was drawn
    EXPECT_EQ(canvas.findText("Piston %")->text, "Piston % 100.00  ");
}

TEST_F(Tick, AngleWrapsOnceEachWay) {
    m.gear.Direction = "Rev";
    m.gear.DriverAngle = 5;
    tick();
    EXPECT_FLOAT_EQ(m.gear.DriverAngle, 355);
    m.gear.Direction = "Fwd";
    m.gear.StepAngle = 0.1f;
    m.gear.DriverAngle = 359.95f;
    tick();
    EXPECT_NEAR(m.gear.DriverAngle, 360.05, 1e-4); // not wrapped
    tick();
    EXPECT_NEAR(m.gear.DriverAngle, 0.15, 1e-4);
}

TEST_F(Tick, StoppedMotionStillRedrawsChanges) {
    m.gear.StepAngle = 0;
    tick();
    const auto before = canvas.ofKind(PrimitiveKind::Ellipse)[0].coords;
    m.view.current.ViewOffsetX = 200;
    tick();
    EXPECT_EQ(canvas.ofKind(PrimitiveKind::Ellipse)[0].coords[0], before[0] + 60);
    EXPECT_FLOAT_EQ(m.gear.DriverAngle, 0);
}

TEST_F(Tick, SectionOutlinesFollowTheCylinderDimensions) {
    tick();
    // Cylinder centre 13 * 28 + 140 = 504; bore half length 2 -> 448..560.
    EXPECT_EQ(f.section.boreRear, 448);
    EXPECT_EQ(f.section.boreFront, 560);
    EXPECT_EQ(f.section.outer[5].x, 448);
    EXPECT_EQ(f.section.outer.size(), 14u);
    EXPECT_EQ(f.section.inner.size(), 10u);
    // Cavity top one third of the way from the valve top down to the port face.
    EXPECT_EQ(f.section.cavityTop,
              f.section.valveTop + (f.section.portFace - f.section.valveTop) / 3);
}

TEST_F(Tick, WildValuesDrawWithoutCrashOrHang) {
    m.display.steamDisplay = true;
    canvas.setKeepPixels(false);
    const Real inf = std::numeric_limits<Real>::infinity();
    const Real nan = std::numeric_limits<Real>::quiet_NaN();
    for (Real v : {1e30f, -1e30f, inf, nan, 0.0f}) {
        Model w = nominalModel();
        w.display.steamDisplay = true;
        w.frame.DriverDia = v;
        w.cyl.CylBoreLength = v;
        w.cyl.ValveStem = v;
        w.view.current.ViewScale = v;
        w.view.SelectedDimCode = 3;
        w.view.GraphicZoom = 0;
        FrameState wf = fixedFrame();
        for (int i = 0; i < 3; ++i)
            runTick(w, wf, canvas, sound);
        canvas.clear();
    }
    SUCCEED(); // reaching here without a crash or a hang is the point
}
