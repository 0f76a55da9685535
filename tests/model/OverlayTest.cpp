#include "model/Overlay.h"
#include "model/MouseDown.h"
#include "model/OverlayDialog.h"
#include "model/Solver.h"

#include <gtest/gtest.h>

#include <limits>

using namespace corvellan;

namespace {

class OverlayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        initialiseModel(m);
        solve(m);
        setRefPointMode(m, true);
    }
    void refPoints(Real h1, Real v1, Real h2, Real v2) {
        m.pivots.X[19] = h1, m.pivots.Y[19] = v1;
        m.pivots.X[20] = h2, m.pivots.Y[20] = v2;
    }
    bool pressPivot(int p, MouseButton b) {
        return mainWindowMouseDown(m, screenColumn(m, m.pivots.X[p]), screenRow(m, m.pivots.Y[p]),
                                   b)
            .openOverlayDialog;
    }
    // The dialog opened from the menu: type, colour and reference chosen.
    DialogOutcome define(int type, int colour, int ref) {
        overlayDialogActivated(m);
        overlayChooseType(m, type);
        overlayChooseColour(m, colour);
        return overlayChooseReference(m, ref);
    }
    OverlayShape shape(int n) const {
        OverlayShape s;
        EXPECT_TRUE(overlayShape(m, n, s)) << "item " << n;
        return s;
    }
    Model m;
};

TEST_F(OverlayTest, FixedCircleThroughTwoReferencePoints) {
    refPoints(0, 0, 3, 4);
    define(1, 4, 0);
    EXPECT_TRUE(m.overlayDialog.drawCloseEnabled);
    const DialogOutcome out = overlayDrawClose(m);
    EXPECT_TRUE(out.close && !out.beep);
    const OverlayRowTexts& row = m.overlayDialog.rows[1];
    EXPECT_EQ(row.type + row.colour + row.ref, "CircleBlue0 , 0");
    EXPECT_EQ(row.boxes, (std::array<std::string, 4>{"  0.000", "  0.000", "", "  5.000"}));
    EXPECT_EQ(m.overlay.CurrentOverlayItem, 2);
    EXPECT_EQ(m.overlayDialog.markedItem, 2);
    // Radius 5 at scale 28 about pixel (140, 270); the box ends one past.
    const OverlayShape s = shape(1);
    EXPECT_EQ(s.kind, OverlayKind::Circle);
    EXPECT_EQ(s.colour, 0x0000FFu);
    EXPECT_EQ((std::array<int, 4>{s.left, s.top, s.right, s.bottom}),
              (std::array<int, 4>{0, 130, 281, 411}));
}

TEST_F(OverlayTest, LineFollowingOnePivotKeepsItsShapeAsTheGearTurns) {
    refPoints(9.25f, 0.5f, 10.0f, 1.25f);
    EXPECT_TRUE(define(0, 1, 1).close); // closed for the pick
    EXPECT_EQ(m.overlay.CurrentOverlayItem, 0);
    EXPECT_EQ(overlayPickPrompt(m)[0].text, "STOP MOTION AND SELECT PIVOT 1");
    ASSERT_TRUE(pressPivot(3, MouseButton::Left)); // the crosshead, at (9.5, 0)
    overlayDialogActivated(m);
    EXPECT_EQ(m.overlay.CurrentOverlayItem, 1);
    EXPECT_EQ(m.overlay.Ref1Pivot[1], 3);
    overlayDrawClose(m);
    EXPECT_FALSE(m.overlayDialog.pickPrompt);
    EXPECT_EQ(m.overlay.X1[1], -0.25f); // offsets from the picked position
    EXPECT_EQ(m.overlay.X2[1], 0.5f);
    EXPECT_EQ(m.overlayDialog.rows[1].boxes[3], "  0.500");
    OverlayShape s = shape(1);
    EXPECT_EQ(s.colour, 0xFF0000u);
    EXPECT_EQ(s.left, screenColumn(m, 9.25L));
    EXPECT_EQ(s.bottom, screenRow(m, 1.25L));

    m.gear.DriverAngle = 90;
    solve(m);
    s = shape(1);
    EXPECT_NEAR(static_cast<double>(s.x1 - m.pivots.X[3]), -0.25, 1e-6);
    EXPECT_NEAR(static_cast<double>(s.x2 - s.x1), 0.75, 1e-6);
    EXPECT_NEAR(static_cast<double>(s.y2 - s.y1), 0.75, 1e-6);
}

TEST_F(OverlayTest, TwoPivotLineNeedsALeftThenARightClickAndStretches) {
    refPoints(1, 0, 9, 0);
    define(0, 0, 3);
    EXPECT_EQ(overlayPickPrompt(m)[1].text, "USE LEFT MOUSE BUTTON FIRST THEN RIGHT");
    EXPECT_FALSE(pressPivot(3, MouseButton::Right));
    EXPECT_FALSE(pressPivot(2, MouseButton::Left));
    EXPECT_TRUE(pressPivot(3, MouseButton::Right));
    overlayDialogActivated(m);
    overlayDrawClose(m);
    EXPECT_EQ(m.overlay.Ref2Pivot[1], 3);
    m.gear.DriverAngle = 90;
    solve(m);
    const OverlayShape s = shape(1);
    EXPECT_NEAR(static_cast<double>(s.x1), m.pivots.X[2] - 0.5, 1e-6);
    EXPECT_NEAR(static_cast<double>(s.x2), m.pivots.X[3] - 0.5, 1e-6);
}

TEST_F(OverlayTest, RefusedChoices) {
    refPoints(0, 0, 0, 0);
    EXPECT_TRUE(overlayOpenBeeps(m));
    const DialogOutcome out = overlayChooseType(m, 0);
    EXPECT_TRUE(out.beep && out.close);
    EXPECT_EQ(m.overlayDialog.typeChoice, -1);
    EXPECT_TRUE(overlayChooseColour(m, 1).beep); // no type yet
    EXPECT_EQ(m.overlayDialog.rows[1].type, "");
    // Circles are fixed or follow one pivot: the item is cleared.
    refPoints(1, 1, 2, 2);
    EXPECT_TRUE(define(1, 2, 2).beep);
    EXPECT_EQ(m.overlay.X1[1], 0);
    EXPECT_EQ(m.overlayDialog.refChoice, -1);
    EXPECT_FALSE(m.overlayDialog.drawCloseEnabled);
    // The last item stays the current one.
    overlaySelectRow(m, 20);
    define(0, 0, 0);
    EXPECT_TRUE(overlayDrawClose(m).beep);
    EXPECT_EQ(m.overlay.CurrentOverlayItem, 20);
}

TEST_F(OverlayTest, EditBoxesAndRefill) {
    refPoints(0, 0, 3, 4);
    define(1, 5, 0);
    overlayDrawClose(m);
    EXPECT_FALSE(overlayBoxKeyAccepted(m, 1, 2, '5', "")); // a circle's third box
    EXPECT_TRUE(overlayBoxKeyAccepted(m, 1, 3, '5', "1.2"));
    EXPECT_FALSE(overlayBoxKeyAccepted(m, 1, 3, '.', "1.2"));
    overlayBoxLeft(m, 1, 3, "2.5"); // drawn from the typed radius at once
    EXPECT_EQ(shape(1).r, 2.5L);
    m.overlay.Y2[1] = 7;
    m.overlay.Type[2] = 0;
    m.overlay.Color[2] = 12345; // no such colour: the label stays
    m.overlayDialog.rows[2].colour = "old";
    refillOverlayRows(m);
    EXPECT_EQ(m.overlayDialog.rows[1].boxes[2], "  7.000"); // a circle's leftover
    EXPECT_EQ(m.overlayDialog.rows[2].type + m.overlayDialog.rows[2].colour, "Lineold");
    overlaySelectRow(m, 1);
    overlayClearLine(m);
    EXPECT_EQ(m.overlay.Type[1], -1);
    EXPECT_EQ(m.overlayDialog.rows[1].boxes[3], "");
}

TEST_F(OverlayTest, ItemsWithUnusableNumbersAreNotDrawn) {
    const Real nan = std::numeric_limits<Real>::quiet_NaN();
    m.overlay.Type[1] = 0;
    m.overlay.RefMode[1] = 1;
    for (Real bad : {nan, 1e30f, -3.0f, 27.0f}) {
        m.overlay.Ref1Pivot[1] = bad;
        EXPECT_TRUE(overlayShapes(m).empty()) << bad;
    }
    m.overlay.Ref1Pivot[1] = 25.6f; // pivot 26
    EXPECT_EQ(overlayShapes(m).size(), 1u);
    m.overlay.RefMode[1] = 3;
    m.overlay.Ref2Pivot[1] = nan;
    EXPECT_TRUE(overlayShapes(m).empty());
    m.overlay.RefMode[1] = 2; // pivot B is not used
    EXPECT_EQ(overlayShapes(m).size(), 1u);
    for (Real bad : {nan, 7.0f, 1.0f}) { // 1: a circle cannot be carried this way
        m.overlay.Type[1] = bad;
        EXPECT_TRUE(overlayShapes(m).empty()) << bad;
    }
}

} // namespace
