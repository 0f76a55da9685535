#include "model/DiagramPositions.h"
#include "diagrams/DiagramFrame.h"
#include "view/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace corvellan;

namespace {

class DiagramPositionsTest : public ::testing::Test {
  protected:
    void SetUp() override { initialiseModel(m); }
    Model m;
};

TEST_F(DiagramPositionsTest, NominalRefreshShowsTheThreeMidGearPositions) {
    EXPECT_EQ(m.diagrams.RevArmPosCount, 0); // until the dialog first refreshes
    refreshDiagramPositions(m);
    EXPECT_EQ(m.diagrams.RevArmPosCount, 3);
    EXPECT_EQ(diagramBoxText(m, 1), "0.000");
    EXPECT_EQ(diagramBoxText(m, 2), "-1.500");
    EXPECT_EQ(diagramBoxText(m, 3), "1.500");
    EXPECT_EQ(diagramBoxText(m, kScaleBox), "1.500");
    for (int slot = 1; slot <= 4; ++slot)
        EXPECT_TRUE(diagramSlotVisible(m, slot)) << slot;
    for (int slot = 5; slot <= 9; ++slot)
        EXPECT_FALSE(diagramSlotVisible(m, slot)) << slot;
}

TEST_F(DiagramPositionsTest, RefreshKeepsOnlyTheLeadingNonZeroSlots) {
    for (int k = 1; k <= 9; ++k)
        m.gear.RevArmPositions[k] = 0.1f * k;
    refreshDiagramPositions(m);
    EXPECT_EQ(m.diagrams.RevArmPosCount, 9);

    m.gear.RevArmPositions[2] = 0;
    refreshDiagramPositions(m);
    EXPECT_EQ(m.diagrams.RevArmPosCount, 1);
    for (int k = 3; k <= 9; ++k)
        EXPECT_EQ(m.gear.RevArmPositions[k], 0) << k;
    EXPECT_TRUE(diagramSlotVisible(m, 2));
    EXPECT_FALSE(diagramSlotVisible(m, 3));

    // An empty slot 1 plots nothing, whatever count was left from before.
    m.gear.RevArmPositions[1] = 0;
    refreshDiagramPositions(m);
    EXPECT_EQ(m.diagrams.RevArmPosCount, 0);
    EXPECT_TRUE(diagramSlotVisible(m, 1));
    EXPECT_FALSE(diagramSlotVisible(m, 2));
}

TEST_F(DiagramPositionsTest, KeyFilterPassesOneMinusAndOnePoint) {
    std::string text;
    for (char key : std::string("1.2.3--x ")) {
        if (acceptDiagramPositionKey(text, key)) text += key;
    }
    EXPECT_EQ(text, "1.23-");
    EXPECT_TRUE(acceptDiagramPositionKey("1.23", '\b'));
    EXPECT_EQ(slotOpenedByKey(1), 2);
    EXPECT_EQ(slotOpenedByKey(8), 9);
    EXPECT_EQ(slotOpenedByKey(9), 0);
    EXPECT_EQ(slotOpenedByKey(kScaleBox), 0);
}

TEST_F(DiagramPositionsTest, LeavingABoxClampsAsTheDialogDoes) {
    m.gear.RevArmPositions[0] = 0; // RevArmCen 0, RevArmToCentMax 1.7
    leaveDiagramPositionBox(m, 2, "5");
    EXPECT_EQ(m.gear.RevArmPositions[2], 1.7f);
    leaveDiagramPositionBox(m, 3, "-5");
    EXPECT_EQ(m.gear.RevArmPositions[3], -1.7f);
    leaveDiagramPositionBox(m, 4, "0.25");
    EXPECT_EQ(m.gear.RevArmPositions[4], 0.25f);
    leaveDiagramPositionBox(m, 4, "");
    EXPECT_EQ(m.gear.RevArmPositions[4], 0.0f);
    for (const char* zero : {"0", "", "-", ".", "-0"}) {
        m.gear.RevArmPositions[1] = 1;
        leaveDiagramPositionBox(m, 1, zero);
        EXPECT_EQ(m.gear.RevArmPositions[1], 0.001f) << '"' << zero << '"';
    }
    leaveDiagramPositionBox(m, 9, std::string(60, '9'));
    EXPECT_EQ(m.gear.RevArmPositions[9], 1.7f);

    leaveDiagramPositionBox(m, kScaleBox, "0.05");
    EXPECT_EQ(m.diagrams.VerticalScale, 0.1f);
    leaveDiagramPositionBox(m, kScaleBox, "4");
    EXPECT_EQ(m.diagrams.VerticalScale, 4.0f);
    leaveDiagramPositionBox(m, kScaleBox, "");
    EXPECT_EQ(m.diagrams.VerticalScale, 0.1f);
}

TEST_F(DiagramPositionsTest, LimitLegendsRunFromReverseToForward) {
    const auto legends = diagramLimitLegends(m);
    EXPECT_EQ(legends[0], "Max 1.700");
    EXPECT_EQ(legends[1], "Rev 1.500");
    EXPECT_EQ(legends[2], "Cent 0.000");
    EXPECT_EQ(legends[3], "Fwd -1.500");
    EXPECT_EQ(legends[4], "Min -1.700");

    refreshDiagramPositions(m);
    RecordingCanvas c;
    drawDiagramPositionsLegends(m, c);
    const Primitive* slot4 = c.findText("Rev Arm Position  4");
    ASSERT_NE(slot4, nullptr);
    EXPECT_EQ(slot4->coords, (std::vector<int>{13, 77}));
    EXPECT_EQ(slot4->style.pixelSize, 12);
    EXPECT_EQ(c.findText("Rev Arm Position  5"), nullptr);
    ASSERT_NE(c.findText("Min "), nullptr);
    EXPECT_EQ(c.findText("Min ")->coords, (std::vector<int>{270, 4}));
}

TEST_F(DiagramPositionsTest, DiagramsReadCountAndScaleWithinBounds) {
    m.diagrams.RevArmPosCount = 42;
    EXPECT_EQ(plottedPositionCount(m), 9);
    m.diagrams.RevArmPosCount = -3;
    EXPECT_EQ(plottedPositionCount(m), 0);
    m.diagrams.VerticalScale = std::numeric_limits<Real>::quiet_NaN();
    EXPECT_EQ(drawnVerticalScale(m), 0.1f);
    m.diagrams.VerticalScale = -2;
    EXPECT_EQ(drawnVerticalScale(m), 0.1f);
    m.diagrams.VerticalScale = 1e30f;
    EXPECT_EQ(drawnVerticalScale(m), 1000.0f);
    m.diagrams.VerticalScale = 4;
    EXPECT_EQ(drawnVerticalScale(m), 4.0f);
}

} // namespace
