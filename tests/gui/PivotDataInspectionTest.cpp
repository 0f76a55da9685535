#include "InspectionTestSupport.h"

#include "model/Numeric.h"

#include <QTest>

using namespace corvellan;
using namespace corvellan::test;

namespace {

std::string fixed7(Real v) {
    return formatFixed(v, 7, 3);
}

} // namespace

TEST_F(InspectionTest, PivotDataModeTurnsReferencePointsOnAndFallsWithThem) {
    EXPECT_FALSE(button("DataTableBut")->isVisible());
    action("SetPivotData")->trigger();
    EXPECT_TRUE(model.pivotData.mode);
    EXPECT_TRUE(model.refPoints.mode);
    EXPECT_TRUE(button("DataTableBut")->isVisible());
    EXPECT_TRUE(bar("SBRef1Vert")->isVisible());

    action("ToolRefPoints")->trigger();
    EXPECT_FALSE(model.refPoints.mode);
    EXPECT_FALSE(model.pivotData.mode);
    EXPECT_FALSE(button("DataTableBut")->isVisible());

    // The tool bar button toggles it as the menu does.
    action("ToolPivotData")->trigger();
    EXPECT_TRUE(model.pivotData.mode);
    action("ToolPivotData")->trigger();
    EXPECT_FALSE(model.pivotData.mode);
    EXPECT_TRUE(model.refPoints.mode); // reference points stay on
    EXPECT_FALSE(button("DataTableBut")->isVisible());
}

TEST_F(InspectionTest, ArmingSlotThreeAndPickingAPivotShowsItLive) {
    action("SetPivotData")->trigger();
    const int px = model.pivots.ScreenX[2], py = model.pivots.ScreenY[2]; // the crank pin
    ASSERT_GT(py, 120);

    clickPicture(10, 176); // slot 3's number
    EXPECT_EQ(model.pivotData.armedSlot, 3);
    EXPECT_TRUE(model.pivotData.pickPending);
    clickPicture(px, py);
    EXPECT_FALSE(model.pivotData.pickPending);
    EXPECT_EQ(model.pivotData.slotPivot[3], 2.0f);
    // The pick also moved reference point 1 to the click.
    EXPECT_NEAR(model.pivots.X[19], model.pivots.X[2], 0.5 / 28);

    RecordingCanvas frame = recordFrame();
    EXPECT_EQ(textAt(frame, 1, 128), "    Pivot Data");
    EXPECT_EQ(textAt(frame, 3, 170), "3");
    EXPECT_EQ(textAt(frame, 12, 170), fixed7(model.pivots.Y[2]));
    EXPECT_EQ(textAt(frame, 50, 170), fixed7(model.pivots.X[2]));
    EXPECT_EQ(textAt(frame, px + 4, py - 12), "3"); // the mark beside the pin
    EXPECT_EQ(textAt(frame, 12, 150), "");          // slot 1 never clicked

    // The figures follow the pin as the gear turns.
    const std::string before = textAt(frame, 12, 170);
    model.gear.DriverAngle = 90;
    frame = recordFrame();
    EXPECT_NE(textAt(frame, 12, 170), before);
    EXPECT_EQ(textAt(frame, 12, 170), fixed7(model.pivots.Y[2]));
}

TEST_F(InspectionTest, TiesGoToTheLowerPivotNumber) {
    action("SetPivotData")->trigger();
    clickPicture(10, 156); // slot 1
    // No tick until the pick: two pivots half a unit either side of the
    // click at model (10, -2), every other one far away.
    for (int i = 1; i <= 18; ++i) {
        model.pivots.X[i] = 1000;
        model.pivots.Y[i] = 1000;
    }
    model.pivots.X[9] = model.pivots.X[4] = 10;
    model.pivots.Y[9] = -1.5f;
    model.pivots.Y[4] = -2.5f;
    clickPicture(420, 326);
    EXPECT_EQ(model.pivotData.slotPivot[1], 4.0f);
}

TEST_F(InspectionTest, PairDistancesNeedBothSlotsOfThePair) {
    action("SetPivotData")->trigger();
    auto bind = [&](int slot, int pivot) {
        clickPicture(10, 147 + 10 * slot);
        clickPicture(model.pivots.ScreenX[pivot], model.pivots.ScreenY[pivot]);
        ASSERT_EQ(model.pivotData.slotPivot[slot], static_cast<Real>(pivot)) << slot;
    };
    bind(5, 2);
    RecordingCanvas frame = recordFrame();
    EXPECT_EQ(textAt(frame, 90, 195), "");
    bind(6, 3);
    frame = recordFrame();
    const Ext dx = static_cast<Ext>(model.pivots.X[2]) - model.pivots.X[3];
    const Ext dy = static_cast<Ext>(model.pivots.Y[2]) - model.pivots.Y[3];
    EXPECT_EQ(textAt(frame, 90, 195), formatFixed(std::sqrt(dx * dx + dy * dy), 7, 3));
    EXPECT_EQ(textAt(frame, 90, 155), ""); // slots 1 and 2 unbound
}

TEST_F(InspectionTest, SlotBandsFollowTheLargeFont) {
    action("SetPivotData")->trigger();
    clickPicture(22, 190); // right of the small-font numbers
    EXPECT_FALSE(model.pivotData.pickPending);
    action("LargeFont")->trigger();
    clickPicture(22, 190); // slot 1 at scale (1.27, 1.22): rows 186 to 195
    EXPECT_TRUE(model.pivotData.pickPending);
    EXPECT_EQ(model.pivotData.armedSlot, 1);
    // A right click neither picks nor ends the pending pick.
    clickPicture(300, 300, Qt::RightButton);
    EXPECT_TRUE(model.pivotData.pickPending);
}
