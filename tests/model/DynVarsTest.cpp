#include "model/DynVars.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

using namespace corvellan;

namespace {

class DynVarsTest : public ::testing::Test {
  protected:
    void SetUp() override { initialiseModel(m); }

    // Binds a dimension as a dialog does when its box is left untouched.
    void bind(int code) {
        RegisterDimension(m, code, dimensionValue(m, code), dimensionInfo(code)->label);
    }

    // One click on bar k as the window delivers it: focus, change to P, the
    // re-entry with 0 after the bar is set back, end of scroll.
    void click(int k, int position) {
        dynBarFocused(m, k);
        dynBarChanged(m, k, position);
        dynBarChanged(m, k, 0);
        dynBarScrollEnded(m, k);
    }

    std::string shown(int code) const { return formatFixed(dimensionValue(m, code), 6, 3); }

    bool allUndoButtons(bool enabled) const {
        for (bool b : m.dyn.undoEnabled)
            if (b != enabled) return false;
        return true;
    }

    Model m;
};

} // namespace

TEST_F(DynVarsTest, NewDimensionsEnterOnTopKnownOnesRefreshInPlace) {
    for (int code : {1, 2, 5, 6, 7})
        bind(code);
    EXPECT_EQ(m.dyn.slots[1].name, "Valve Lever Upper");
    EXPECT_EQ(m.dyn.slots[2].name, "Valve Rod");
    EXPECT_EQ(m.dyn.slots[3].name, "Main Rod");
    EXPECT_EQ(m.dyn.slots[4].name, "Stroke");

    storeDimension(m, StrokeCode, 3.25L);
    bind(StrokeCode);
    EXPECT_EQ(m.dyn.slots[1].name, "Valve Lever Upper");
    EXPECT_EQ(m.dyn.slots[4].code, StrokeCode);
    EXPECT_FLOAT_EQ(m.dyn.slots[4].value, 3.25f);
    EXPECT_EQ(m.dyn.slots[0].code, StrokeCode);
}

TEST_F(DynVarsTest, ReverseArmLimitsAndUnknownCodesNeverEnter) {
    bind(DriverDiaCode);
    for (int code : {13, 14, 0, 100, 123})
        RegisterDimension(m, code, 1.0f, "x");
    EXPECT_EQ(m.dyn.slots[0].code, DriverDiaCode);
    EXPECT_EQ(m.dyn.slots[1].code, DriverDiaCode);
    EXPECT_TRUE(dynSlotEmpty(m, 2));
}

TEST_F(DynVarsTest, ArrowAndTroughClicksNudgeTheDimension) {
    bind(DriverDiaCode);
    click(1, 1);
    EXPECT_EQ(shown(DriverDiaCode), " 7.001");
    click(1, -1);
    EXPECT_EQ(shown(DriverDiaCode), " 7.000");
    click(1, 10);
    EXPECT_EQ(shown(DriverDiaCode), " 7.010");
    EXPECT_NEAR(m.frame.DriverDia, 7.010, 1e-6);
    EXPECT_FLOAT_EQ(m.dyn.slots[1].value, m.frame.DriverDia);
    // A thumb drag to 150 then back to 120 (each change set back to 0 by the
    // window): +0.150, then -0.120.
    for (int position : {150, 0, 120, 0})
        dynBarChanged(m, 1, position);
    EXPECT_NEAR(m.frame.DriverDia, 7.040, 1e-5);
}

TEST_F(DynVarsTest, EccentricAngleMovesInDegreesAndWraps) {
    storeDimension(m, EccCrankAngleDegCode, 359.95L);
    bind(EccCrankAngleDegCode);
    click(1, 10);
    EXPECT_NEAR(m.frame.EccCrankAngleDeg, 0.95, 1e-4);
    for (int i = 0; i < 10; ++i)
        click(1, -1);
    EXPECT_NEAR(m.frame.EccCrankAngleDeg, 359.95, 1e-3);

    m.dyn.ActiveDynSlot = 1;
    m.dyn.DynDelta = 0.5f;
    ApplyDynVar(m);
    EXPECT_FLOAT_EQ(m.dyn.DynDelta, 50.0f); // the scaled step is kept
    EXPECT_NEAR(m.frame.EccCrankAngleDeg, 49.95, 1e-3);
}

TEST_F(DynVarsTest, BarChangesKeepThePivotCopies) {
    bind(ValveStemCLToCylCLCode);
    bind(LinkPivotHorzCode);
    bind(CylCLAboveDriverCtrCode);
    click(3, 10); // valve stem height
    EXPECT_NEAR(m.cyl.ValveStemCLToCylCL, 2.072, 1e-6);
    EXPECT_NEAR(m.pivots.Y[4], 2.072, 1e-6);
    click(2, 10); // link pivot X
    EXPECT_NEAR(m.pivots.X[8], 0.010, 1e-7);
    EXPECT_EQ(m.pivots.X[9], m.pivots.X[8]);
    click(1, -10); // cylinder centre line
    EXPECT_NEAR(m.pivots.Y[3], -0.010, 1e-7);
    EXPECT_NEAR(m.pivots.Y[4], 2.062, 1e-6);
}

TEST_F(DynVarsTest, ApplyEmptiesCutOffReadoutsOnlyForABoundSlot) {
    m.events.front.cutOffText = "45%";
    m.events.rear.cutOffText = "44%";
    Model before = m;
    m.dyn.ActiveDynSlot = 1;
    m.dyn.DynDelta = 5;
    ApplyDynVar(m);
    EXPECT_EQ(m.events.front.cutOffText, "45%");
    for (const auto& d : allDimensions())
        EXPECT_EQ(dimensionValue(m, d.code), dimensionValue(before, d.code)) << d.label;

    bind(MainRodCode);
    dynBarChanged(m, 1, 0);
    EXPECT_EQ(m.events.front.cutOffText, "");
    EXPECT_EQ(m.events.rear.cutOffText, "");
    EXPECT_EQ(m.frame.MainRod, 8.0f);
}

TEST_F(DynVarsTest, HugeOrInvalidValuesStayFiniteAndNeverHang) {
    bind(DriverDiaCode);
    storeDimension(m, DriverDiaCode, FLT_MAX);
    m.dyn.ActiveDynSlot = 1;
    m.dyn.DynDelta = FLT_MAX;
    ApplyDynVar(m);
    EXPECT_EQ(m.frame.DriverDia, FLT_MAX);

    storeDimension(m, EccCrankAngleDegCode, -FLT_MAX);
    bind(EccCrankAngleDegCode);
    m.dyn.DynDelta = -1e37f; // x100 is beyond a 4-byte real
    ApplyDynVar(m);
    EXPECT_TRUE(std::isfinite(m.dyn.DynDelta));
    EXPECT_GE(m.frame.EccCrankAngleDeg, 0.0f);
    EXPECT_LT(m.frame.EccCrankAngleDeg, 360.0f);

    storeDimension(m, EccCrankAngleDegCode, -1e-6L); // 360 - 1e-6 rounds to 360
    m.dyn.DynDelta = 0;
    ApplyDynVar(m);
    EXPECT_LT(m.frame.EccCrankAngleDeg, 360.0f);

    storeDimension(m, EccCrankAngleDegCode, std::numeric_limits<Ext>::quiet_NaN());
    click(1, 1);
    EXPECT_TRUE(std::isnan(m.frame.EccCrankAngleDeg));
}

TEST_F(DynVarsTest, StoreKeepsTwentyClicksAndUndoesThemInOrder) {
    bind(DriverDiaCode);
    std::vector<Real> after;
    for (int i = 0; i < 25; ++i) {
        click(1, 1);
        after.push_back(m.frame.DriverDia);
    }
    EXPECT_EQ(m.dyn.UndoCount, 20);
    EXPECT_TRUE(allUndoButtons(true));
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(m.dyn.undo[1].code, DriverDiaCode);
        undoButtonClicked(m, UndoMain);
        EXPECT_NEAR(m.frame.DriverDia, after[23 - i], 2e-6) << "undo " << i + 1;
    }
    EXPECT_EQ(shown(DriverDiaCode), " 7.005");
    EXPECT_EQ(m.dyn.UndoCount, 0);
    EXPECT_TRUE(allUndoButtons(false));

    undoButtonClicked(m, UndoMain); // nothing left: the value stays
    EXPECT_EQ(shown(DriverDiaCode), " 7.005");
    EXPECT_EQ(m.dyn.UndoCount, 0);
}

TEST_F(DynVarsTest, UndoRestoresPivotSideEffectsAndRefreshesSlots) {
    bind(CylCLAboveDriverCtrCode); // ends as slot 2
    bind(LinkPivotVertCode);       // slot 1
    click(2, 10);
    click(1, 10);
    EXPECT_NEAR(m.pivots.Y[8], 3.165, 1e-6);
    UndoStep(m);
    EXPECT_NEAR(m.pivots.Y[8], 3.155, 1e-6);
    EXPECT_EQ(m.pivots.Y[9], m.pivots.Y[8]);
    EXPECT_FLOAT_EQ(m.dyn.slots[1].value, m.pivots.Y[8]);
    EXPECT_NEAR(m.pivots.Y[3], 0.010, 1e-6);
    UndoStep(m);
    EXPECT_NEAR(m.pivots.Y[3], 0.0, 1e-6);
    EXPECT_NEAR(m.pivots.Y[4], 2.062, 1e-6);
    EXPECT_FLOAT_EQ(m.dyn.slots[2].value, m.pivots.Y[3]);
}

TEST_F(DynVarsTest, UndoGivesBackTheExactValueAndLeavesOtherBoundDimensionsAlone) {
    storeDimension(m, LinkLowerCode, 1.1L); // 1.1 + 1 - 1 is not 1.1 in 4-byte reals
    const Real linkLower = m.frame.LinkLower;
    bind(LinkLowerCode);     // slot 2, never changed
    bind(LinkPivotVertCode); // slot 1
    click(1, 1);
    EXPECT_NE(m.pivots.Y[8], 3.155f);
    UndoStep(m);
    EXPECT_EQ(m.pivots.Y[8], 3.155f);
    EXPECT_EQ(m.pivots.Y[9], 3.155f);
    EXPECT_EQ(m.frame.LinkLower, linkLower);
}

TEST_F(DynVarsTest, DialogEditRecordsUndoOnlyAfterAKey) {
    commitDimensionEdit(m, MainRodCode, 8.0f, 8.5L, "Main Rod"); // box left untouched
    EXPECT_EQ(m.dyn.slots[1].code, MainRodCode);
    EXPECT_EQ(m.dyn.UndoCount, 0);
    EXPECT_FALSE(m.dyn.undoEnabled[UndoSine]);

    m.dyn.DimEdited = true;
    commitDimensionEdit(m, DriverDiaCode, 7.0f, 7.5L, "Driver Dia");
    EXPECT_FALSE(m.dyn.DimEdited);
    EXPECT_EQ(m.frame.DriverDia, 7.5f);
    EXPECT_EQ(m.dyn.slots[1].code, DriverDiaCode);
    EXPECT_EQ(undoLine(m), " 1- Driver Dia  7.500 to  7.000");
    EXPECT_TRUE(allUndoButtons(true));

    undoButtonClicked(m, UndoOval);
    EXPECT_EQ(m.frame.DriverDia, 7.0f);
    EXPECT_FLOAT_EQ(m.dyn.slots[1].value, 7.0f);
    EXPECT_EQ(m.frame.MainRod, 8.5f); // never recorded, so never undone
}

TEST_F(DynVarsTest, EmptyStoreClickDisablesOnlyTheClickingWindowAndMain) {
    m.dyn.undoEnabled.fill(true);
    undoButtonClicked(m, UndoSteam);
    EXPECT_FALSE(m.dyn.undoEnabled[UndoSteam]);
    EXPECT_FALSE(m.dyn.undoEnabled[UndoMain]);
    EXPECT_TRUE(m.dyn.undoEnabled[UndoSine]);
    EXPECT_TRUE(m.dyn.undoEnabled[UndoPort]);

    m.dyn.DimEdited = true;
    commitDimensionEdit(m, StrokeCode, 3.0f, 3.5L, "Stroke");
    ClearUndo(m);
    EXPECT_TRUE(allUndoButtons(false));
    EXPECT_EQ(m.dyn.UndoCount, 0);
    EXPECT_EQ(m.dyn.undo[1].code, 0);
}
