#include "model/DimensionEdit.h"

#include "model/DynVars.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <string>

using namespace corvellan;

namespace {

constexpr int kCylBoreDia = 103;

class DimensionEditTest : public ::testing::Test {
  protected:
    void SetUp() override { initialiseModel(m); }

    // A box left after a key was accepted in it.
    BoxCommit typed(int code, const std::string& text) {
        m.dyn.DimEdited = boxKeyMarksEdit(code);
        return commitDimensionBox(m, code, dimensionBoxValue(text));
    }

    Model m;
};

} // namespace

TEST(DimensionBoxKey, NumberKeysOnlyAndOnePointAndMinusEach) {
    EXPECT_EQ(dimensionBoxKey('7', "1.5"), BoxKey::Accepted);
    EXPECT_EQ(dimensionBoxKey('\b', "1.5"), BoxKey::Accepted);
    EXPECT_EQ(dimensionBoxKey('\r', ""), BoxKey::Enter);
    EXPECT_EQ(dimensionBoxKey('.', "1.5"), BoxKey::Refused);
    EXPECT_EQ(dimensionBoxKey('-', "-1"), BoxKey::Refused);
    // The minus sign may go anywhere, once.
    EXPECT_EQ(dimensionBoxKey('-', "12"), BoxKey::Accepted);
    for (char c : {'e', 'E', '+', ' ', ',', 'x'})
        EXPECT_EQ(dimensionBoxKey(c, ""), BoxKey::Refused) << c;
    EXPECT_TRUE(boxKeyMarksEdit(1));
    EXPECT_TRUE(boxKeyMarksEdit(122));
    EXPECT_FALSE(boxKeyMarksEdit(13));
    EXPECT_FALSE(boxKeyMarksEdit(14));
}

TEST(DimensionBoxValue, LeadingNumberOrZero) {
    EXPECT_DOUBLE_EQ(static_cast<double>(dimensionBoxValue("365")), 365.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(dimensionBoxValue("-.5")), -0.5);
    EXPECT_DOUBLE_EQ(static_cast<double>(dimensionBoxValue("2.")), 2.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(dimensionBoxValue("12-3")), 12.0);
    for (const char* text : {"", "-", ".", "-.", ".-"})
        EXPECT_EQ(dimensionBoxValue(text), 0) << '"' << text << '"';
    EXPECT_GT(dimensionBoxValue(std::string(50, '9')), static_cast<Ext>(FLT_MAX));
}

TEST_F(DimensionEditTest, AngleIsBroughtIntoOneTurnBeforeItIsStored) {
    typed(EccCrankAngleDegCode, "365");
    EXPECT_FLOAT_EQ(m.frame.EccCrankAngleDeg, 5.0f);
    typed(EccCrankAngleDegCode, "-90");
    EXPECT_FLOAT_EQ(m.frame.EccCrankAngleDeg, 270.0f);
    typed(EccCrankAngleDegCode, "-720");
    EXPECT_FLOAT_EQ(m.frame.EccCrankAngleDeg, 0.0f);
    // Far beyond a 4-byte real: clamped, then still one turn, at once.
    typed(EccCrankAngleDegCode, std::string(60, '9'));
    EXPECT_GE(m.frame.EccCrankAngleDeg, 0.0f);
    EXPECT_LT(m.frame.EccCrankAngleDeg, 360.0f);
    EXPECT_FLOAT_EQ(m.dyn.slots[1].value, m.frame.EccCrankAngleDeg);
}

TEST_F(DimensionEditTest, TypedBoxRecordsOneUndoEntryAndBindsTheDimension) {
    typed(DriverDiaCode, "7.5");
    EXPECT_FLOAT_EQ(m.frame.DriverDia, 7.5f);
    EXPECT_EQ(m.dyn.UndoCount, 1);
    EXPECT_EQ(undoLine(m), " 1- Driver Dia  7.500 to  7.000");
    EXPECT_EQ(m.dyn.slots[1].code, DriverDiaCode);
    EXPECT_FALSE(m.dyn.DimEdited);
    EXPECT_TRUE(m.dyn.undoEnabled[UndoMain]);

    // Left without a key: bound again, nothing to undo.
    commitDimensionBox(m, StrokeCode, 3.0L);
    EXPECT_EQ(m.dyn.UndoCount, 1);
    EXPECT_EQ(m.dyn.slots[1].code, StrokeCode);
    EXPECT_EQ(m.dyn.slots[2].code, DriverDiaCode);

    UndoStep(m);
    EXPECT_FLOAT_EQ(m.frame.DriverDia, 7.0f);
}

TEST_F(DimensionEditTest, ValuesBeyondAFourByteRealAreClamped) {
    typed(MainRodCode, std::string(45, '9'));
    EXPECT_EQ(m.frame.MainRod, FLT_MAX);
    typed(kCylBoreDia, "-" + std::string(45, '9'));
    EXPECT_EQ(m.cyl.CylBoreDia, -FLT_MAX);
    typed(RevArmToCentMaxCode, std::string(45, '9'));
    EXPECT_EQ(m.frame.RevArmToCentMax, FLT_MAX);
    EXPECT_EQ(m.gear.RevArmScrollMax, INT_MAX);
}

TEST_F(DimensionEditTest, NormalDistanceIsHeldAtTheLargestAndPullsNonZeroPositions) {
    auto& pos = m.gear.RevArmPositions;
    pos[4] = 0;
    pos[5] = -1.9f;
    pos[6] = 1.8f;
    pos[7] = 0.3f;
    // RevArmCen is 0.00001 with the nominal set.
    const BoxCommit result = typed(RevArmToCentNormCode, "2");
    EXPECT_FALSE(result.revArmRangeChanged);
    EXPECT_FLOAT_EQ(m.frame.RevArmToCentNorm, 1.7f);
    EXPECT_EQ(pos[4], 0.0f);
    EXPECT_FLOAT_EQ(pos[5], clampToReal(0.00001L - 1.7L));
    EXPECT_FLOAT_EQ(pos[6], clampToReal(0.00001L + 1.7L));
    EXPECT_FLOAT_EQ(pos[7], 0.3f);
    EXPECT_EQ(m.dyn.UndoCount, 0);
    EXPECT_TRUE(dynSlotEmpty(m, 1));
}

TEST_F(DimensionEditTest, LargestDistanceIsHeldAtTheNormalAndPullsEveryPosition) {
    auto& pos = m.gear.RevArmPositions;
    pos[4] = 0;
    pos[9] = -1.6f;
    const BoxCommit result = typed(RevArmToCentMaxCode, "1");
    EXPECT_TRUE(result.revArmRangeChanged);
    EXPECT_FLOAT_EQ(m.frame.RevArmToCentMax, 1.5f);
    EXPECT_EQ(m.gear.RevArmScrollMin, -1500);
    EXPECT_EQ(m.gear.RevArmScrollMax, 1500);
    // Zero is no exception here: 0 lies inside 0.00001 +- 1.5 and stays.
    EXPECT_EQ(pos[4], 0.0f);
    EXPECT_FLOAT_EQ(pos[9], clampToReal(0.00001L - 1.5L));

    // Zeros are pulled too once mid gear lies far from 0.
    m.gear.RevArmPositions[0] = 5.0f;
    typed(RevArmToCentMaxCode, "0.5");
    EXPECT_FLOAT_EQ(pos[4], 3.5f);
    EXPECT_EQ(m.gear.RevArmScrollMax, 1500);
}

TEST_F(DimensionEditTest, ResetsEmptyTheListButKeepUndo) {
    typed(DriverDiaCode, "9");
    typed(kCylBoreDia, "3");
    typed(RevArmToCentMaxCode, "2");
    m.cyl.CylinderReserve = 4;

    const BoxCommit frame = resetFrameDimensions(m);
    EXPECT_TRUE(frame.revArmRangeChanged);
    EXPECT_FLOAT_EQ(m.frame.DriverDia, 7.0f);
    EXPECT_EQ(m.gear.RevArmScrollMax, 1700);
    EXPECT_TRUE(dynSlotEmpty(m, 1));
    EXPECT_FLOAT_EQ(m.cyl.CylBoreDia, 3.0f); // the frame reset leaves the cylinder
    EXPECT_EQ(m.dyn.UndoCount, 2);

    typed(DriverDiaCode, "9");
    resetCylinderDimensions(m);
    EXPECT_FLOAT_EQ(m.cyl.CylBoreDia, 2.125f);
    EXPECT_EQ(m.cyl.CylinderReserve, 0.0f);
    EXPECT_FLOAT_EQ(m.frame.DriverDia, 9.0f);
    // The frame dimension's dynamic variable goes as well.
    EXPECT_TRUE(dynSlotEmpty(m, 1));
    EXPECT_EQ(m.dyn.UndoCount, 3);
}

TEST_F(DimensionEditTest, CloseRecomputesMidGearBeforeTheBarMovesAndEmptiesReadoutsAfter) {
    typed(LinkPivotHorzCode, "0.5");
    m.gear.RevArmPos = 1.2f;
    Real cenAtBar = 0;
    closeDimensionDialog(m, [&] {
        cenAtBar = m.gear.RevArmCen();
        // The bar's change handler may refill the readouts; the close empties them after.
        m.events.front.cutOffText = "40";
    });
    EXPECT_GT(cenAtBar, 0.5f);
    EXPECT_FLOAT_EQ(m.gear.RevArmPos, cenAtBar);
    EXPECT_FLOAT_EQ(m.gear.RevArmPositions[2], clampToReal(static_cast<Ext>(cenAtBar) - 1.5L));
    EXPECT_TRUE(m.events.front.cutOffText.empty());
}
