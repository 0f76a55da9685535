#include "TickFixture.h"

#include "view/DimensionCloseUp.h"

#include <gtest/gtest.h>

using namespace corvellan;
using namespace corvellan::testing;

namespace {

struct CloseUp : TickFixture {
    // The dimension line: the last wide line or polyline of the frame.
    const Primitive* dimensionLine() const {
        const Primitive* found = nullptr;
        for (const Primitive& p : canvas.primitives())
            if ((p.kind == PrimitiveKind::Line || p.kind == PrimitiveKind::Polyline) &&
                p.penWidth == 3)
                found = &p;
        return found;
    }
};

} // namespace

TEST_F(CloseUp, MainRodKeepsThePanAndBlinksThreeRedThreeBlack) {
    m.view.current = ViewTransform{30, 100, 250};
    m.view.SelectedDimCode = 5;
    std::vector<Rgb> colours;
    for (int i = 0; i < 7; ++i) {
        tick();
        ASSERT_NE(dimensionLine(), nullptr);
        colours.push_back(dimensionLine()->colour);
    }
    const Rgb R = colours::Red, B = colours::Black;
    EXPECT_EQ(colours, (std::vector<Rgb>{R, R, R, B, B, B, R}));
    EXPECT_FLOAT_EQ(m.view.current.ViewScale, 28);
    EXPECT_FLOAT_EQ(m.view.current.ViewOffsetX, 100);
    EXPECT_FLOAT_EQ(m.view.current.ViewOffsetY, 250);
    EXPECT_EQ(f.window.closeDialogForCode, 5);
    EXPECT_TRUE(f.window.waitCursor);
    const Primitive* label = canvas.findText("Main Rod");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->coords, (std::vector<int>{30, 75}));
    EXPECT_EQ(label->style.pixelSize, 19);
}

TEST_F(CloseUp, LineUsesThisTicksPointsAndTheViewChangesFromTheNext) {
    m.view.SelectedDimCode = 106; // Piston ctr to Crosshead: K 40 at (-200, 260)
    tick();
    const Primitive* line = dimensionLine();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->coords[0], m.pivots.ScreenX[3]); // projected at scale 28
    EXPECT_EQ(line->coords[1], 270);
    EXPECT_FLOAT_EQ(m.view.current.ViewScale, 40);
    EXPECT_FLOAT_EQ(m.view.current.ViewOffsetX, -200);
    tick();
    EXPECT_EQ(m.pivots.ScreenY[3], 260);
}

TEST_F(CloseUp, GraphicZoomScalesTheCloseUp) {
    m.view.GraphicZoom = 15;
    m.view.SelectedDimCode = 103;
    tick();
    EXPECT_FLOAT_EQ(m.view.current.ViewScale, 27.5f); // 55 / 15 * 7.5
}

TEST_F(CloseUp, MousePressEndsItOnTheNextFrameAndReopensTheDialog) {
    m.view.SelectedDimCode = 5;
    tick();
    tick();
    endCloseUpOnNextFrame(m, f);
    m.view.current.ViewOffsetX = 999; // what the close-up had moved is undone
    tick();
    EXPECT_EQ(m.view.SelectedDimCode, 0);
    EXPECT_FLOAT_EQ(m.view.current.ViewOffsetX, 140);
    EXPECT_EQ(f.window.reopenDialog, DimDialog::Frame);
    EXPECT_FALSE(f.window.waitCursor);
    tick();
    EXPECT_EQ(f.window.reopenDialog, DimDialog::None); // a one-frame request
    EXPECT_EQ(f.window.closeDialogForCode, 0);
    EXPECT_EQ(dimensionLine(), nullptr);
}

TEST_F(CloseUp, EndsByItselfAfter1000FramesWithTheCylinderDialog) {
    m.view.SelectedDimCode = 110;
    m.gear.StepAngle = 0;
    for (int i = 0; i < kCloseUpFrames; ++i)
        tick();
    EXPECT_EQ(m.view.SelectedDimCode, 110);
    tick();
    EXPECT_EQ(m.view.SelectedDimCode, 0);
    EXPECT_EQ(f.window.reopenDialog, DimDialog::Cylinder);
    EXPECT_FLOAT_EQ(m.view.current.ViewScale, 28);
}

TEST_F(CloseUp, HourglassIsDrawnUnscaledWithWidePen) {
    m.display.textScaleH = 1.27f;
    m.display.textScaleV = 1.22f;
    m.view.SelectedDimCode = 1;
    tick();
    const auto polys = canvas.ofKind(PrimitiveKind::Polyline);
    bool frameTop = false;
    for (const Primitive& p : polys)
        if (p.coords == std::vector<int>{20, 100, 44, 100, 44, 104, 20, 104, 20, 100} &&
            p.penWidth == 2)
            frameTop = true;
    EXPECT_TRUE(frameTop);
    EXPECT_EQ(canvas.findText("Driver Dia")->coords, (std::vector<int>{38, 92}));
}
