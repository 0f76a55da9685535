#include "model/PivotPick.h"
#include "model/MouseDown.h"
#include "model/Solver.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace corvellan;

namespace {

class PivotPickTest : public ::testing::Test {
  protected:
    void SetUp() override {
        initialiseModel(m);
        solve(m);
        setPivotDataMode(m, true); // turns reference points on
    }
    MouseDownResult press(int x, int y, MouseButton b = MouseButton::Left) {
        return mainWindowMouseDown(m, x, y, b);
    }
    void pressPivot(int p, MouseButton b = MouseButton::Left) {
        press(screenColumn(m, m.pivots.X[p]), screenRow(m, m.pivots.Y[p]), b);
    }
    void armSlot(int k) { press(5, 146 + 10 * k); } // text scale 1
    std::string text(int x, int y) const {
        for (const PanelText& t : pivotDataPanel(m))
            if (t.x == x && t.y == y) return t.text;
        return "<none>";
    }

    Model m;
};

TEST_F(PivotPickTest, SlotBandsAtBothTextScales) {
    EXPECT_EQ(slotAt(m, 5, 152), 0); // open at both ends
    EXPECT_EQ(slotAt(m, 5, 153), 1);
    EXPECT_EQ(slotAt(m, 5, 161), 0);
    EXPECT_EQ(slotAt(m, 5, 210), 6);
    EXPECT_EQ(slotAt(m, 0, 155), 0);
    EXPECT_EQ(slotAt(m, 20, 155), 0);
    m.display.textScaleH = m.display.textScaleV = 1.5f;
    EXPECT_EQ(slotAt(m, 29, 241), 1); // 228 < y < 242, x < 30
    EXPECT_EQ(slotAt(m, 25, 242), 0);
    EXPECT_EQ(slotAt(m, 29, 305), 6);
    EXPECT_EQ(slotAt(m, 30, 305), 0);
}

TEST_F(PivotPickTest, ArmingSlotThreeThenClickingAPivotBindsIt) {
    armSlot(3);
    EXPECT_TRUE(m.pivotData.pickPending);
    EXPECT_EQ(text(50, 170), "  0.000"); // shown at once, still pivot 0
    pressPivot(3);                       // the crosshead, at (9.5, 0)
    EXPECT_FALSE(m.pivotData.pickPending);
    EXPECT_EQ(m.pivotData.slotPivot[3], 3);
    EXPECT_EQ(m.pivots.X[19], 9.5f); // the pick moved reference point 1
    EXPECT_EQ(text(50, 170), "  9.500");
    m.gear.DriverAngle = 90; // the panel follows the gear
    solve(m);
    EXPECT_EQ(text(50, 170), formatFixed(m.pivots.X[3], 7, 3));
    EXPECT_NE(text(50, 170), "  9.500");
}

TEST_F(PivotPickTest, TiesGoToTheLowerNumberAndFarClicksKeepThePrevious) {
    for (int i = 0; i < kPivotCount; ++i)
        m.pivots.X[i] = m.pivots.Y[i] = 5000;
    m.pivots.X[7] = 1; // city-block distance 1 from the origin, and so is pivot 4
    m.pivots.Y[7] = 0;
    m.pivots.X[4] = 0.5f;
    m.pivots.Y[4] = -0.5f;
    armSlot(1);
    press(140, 270); // model (0, 0): reference point 1 lands there but is never picked
    EXPECT_EQ(m.pivotData.slotPivot[1], 4);
    for (int i = 1; i <= 18; ++i)
        m.pivots.X[i] = 20000;
    armSlot(2);
    press(140, 270);
    EXPECT_EQ(m.pivotData.slotPivot[2], 4);
}

TEST_F(PivotPickTest, PairDistancesNeedBothSlotsShown) {
    armSlot(5);
    pressPivot(2); // crank pin (1.5, 0)
    EXPECT_EQ(text(90, 195), "<none>");
    armSlot(6);
    pressPivot(3); // crosshead (9.5, 0)
    EXPECT_EQ(text(90, 195), "  8.000");
    EXPECT_EQ(text(90, 155), "<none>");
    const auto marks = pivotSlotMarks(m);
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[1].x, screenColumn(m, 9.5L) + 4);
    EXPECT_EQ(marks[1].y, screenRow(m, 0) - 12);
}

TEST_F(PivotPickTest, APickInASlotBandArmsThatSlotAgain) {
    armSlot(3);
    press(5, 156); // slot 1's band: completes the pick, then arms slot 1
    EXPECT_NE(m.pivotData.slotPivot[3], 0);
    EXPECT_EQ(m.pivotData.armedSlot, 1);
    pressPivot(3, MouseButton::Right); // a right click does not end it
    EXPECT_TRUE(m.pivotData.pickPending);
    m.view.SelectedDimCode = 3;
    EXPECT_TRUE(press(600, 400).endCloseUp);
}

TEST_F(PivotPickTest, StoredPivotNumbersOutsideTheTableReadAsPivotZero) {
    for (Real bad : {std::nanf(""), 27.0f, -1.0f, 1e30f})
        EXPECT_EQ(pivotIndex(bad), -1) << bad;
    EXPECT_EQ(pivotIndex(25.6f), 26);
    m.pivotData.slotShown[1] = true;
    m.pivotData.slotPivot[1] = 1e30f;
    m.pivots.X[0] = 1;
    EXPECT_EQ(text(50, 150), "  1.000");
}

} // namespace
