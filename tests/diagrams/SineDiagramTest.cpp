#include "diagrams/SineDiagram.h"
#include "DiagramTestSupport.h"

#include <gtest/gtest.h>

using namespace corvellan;
using namespace corvellan::testing;

namespace {

// Curve segments: black lines from x 58 on running right by 8 pixels.
std::vector<Primitive> curveSegments(const RecordingCanvas& c) {
    std::vector<Primitive> out;
    for (const Primitive& p : linesIn(c, colours::Black))
        if (p.coords[0] >= 58 && p.coords[2] - p.coords[0] == 8) out.push_back(p);
    return out;
}

std::vector<std::string> labelsAtX(const RecordingCanvas& c, int x) {
    std::vector<std::string> out;
    for (const Primitive& p : textsAtX(c, x))
        out.push_back(p.text);
    return out;
}

class SineDiagramTest : public ::testing::Test {
  protected:
    Model m = nominalWithPositions();
    RecordingCanvas c{632, 414};
};

TEST_F(SineDiagramTest, CountZeroDrawsTheFrameOnly) {
    m.diagrams.RevArmPosCount = 0;
    drawSineDiagram(m, c);
    EXPECT_TRUE(curveSegments(c).empty());
    // 9 rows of 53 dashes and 6 ticks, 61 fine and 13 main marks, 6 levels.
    EXPECT_EQ(c.ofKind(PrimitiveKind::Line).size(), 9u * 59 + 61 + 13 + 6);
    EXPECT_EQ(countLines(c, 90, 82, 90, 92), 1);     // first 90-degree tick, row 1
    EXPECT_EQ(countLines(c, 580, 341, 580, 345), 1); // last dash, row 9
    for (const char* t : {"Driver Clockwise Rotation --->", "Front", "Rear", "Units Travel",
                          "Scale =", "Reverse Arm Positions", "Center"})
        EXPECT_NE(c.findText(t), nullptr) << t;
    EXPECT_EQ(c.findText("Lead"), nullptr);
    EXPECT_TRUE(textsAtX(c, 45).empty());
}

TEST_F(SineDiagramTest, MarksAndLabelsAtScaleOnePointFive) {
    m.diagrams.RevArmPosCount = 0;
    drawSineDiagram(m, c);
    EXPECT_EQ(countLines(c, 39, -1, 44, -1), 61);
    EXPECT_EQ(countLines(c, 36, -1, 44, -1), 13);
    EXPECT_EQ(countLines(c, 39, 65, 44, 65), 1);   // -0.6 units
    EXPECT_EQ(countLines(c, 39, 365, 44, 365), 1); // +0.6 units
    EXPECT_EQ(labelsAtX(c, 14),
              (std::vector<std::string>{"-0.6", "-0.5", "-0.4", "-0.3", "-0.2", "-0.1", "0.0",
                                        "0.1", "0.2", "0.3", "0.4", "0.5", "0.6"}));
    // Labels read upwards, 5 pixels above their marks: 0.6 at row 60.
    EXPECT_EQ(textAt(c, 14, 60)->text, "0.6");
    EXPECT_EQ(textAt(c, 14, 360)->text, "-0.6");
    EXPECT_EQ(textAt(c, 50, 18)->text, "1.5");
}

TEST_F(SineDiagramTest, OnlyEveryFifthMarkAboveScaleThreePointSevenFive) {
    m.diagrams.RevArmPosCount = 0;
    m.diagrams.VerticalScale = 4;
    drawSineDiagram(m, c);
    EXPECT_EQ(countLines(c, 39, -1, 44, -1), 33); // every 0.1 units from -1.6 to 1.6
    EXPECT_EQ(countLines(c, 36, -1, 44, -1), 7);
    EXPECT_EQ(labelsAtX(c, 14),
              (std::vector<std::string>{"-1.5", "-1.0", "-0.5", "0.0", "0.5", "1.0", "1.5"}));
    EXPECT_EQ(textAt(c, 14, 69)->text, "1.5"); // 210 - 15 * 37.5 / 4 = 69.375
    EXPECT_EQ(textAt(c, 50, 18)->text, "4.0");
}

TEST_F(SineDiagramTest, PortEdgeLevelsOfTheNominalValve) {
    m.diagrams.RevArmPosCount = 0;
    drawSineDiagram(m, c);
    // Front levels -0.1565, -0.3125, -0.0005 units; rear ones mirrored.
    const auto lime = linesIn(c, colours::Lime);
    ASSERT_EQ(lime.size(), 3u);
    EXPECT_EQ(lime[0].coords, (std::vector<int>{15, 254, 583, 254}));
    EXPECT_EQ(lime[1].coords, (std::vector<int>{15, 293, 583, 293}));
    EXPECT_EQ(lime[2].coords, (std::vector<int>{15, 215, 583, 215}));
    const auto red = linesIn(c, colours::Red);
    ASSERT_EQ(red.size(), 3u);
    EXPECT_EQ(red[0].coords, (std::vector<int>{15, 176, 583, 176}));
    EXPECT_EQ(red[1].coords, (std::vector<int>{15, 137, 583, 137}));
    EXPECT_EQ(red[2].coords, (std::vector<int>{15, 215, 583, 215}));
    EXPECT_EQ(textAt(c, 60, 238)->text, "Front Steam Port Open");
    EXPECT_EQ(textAt(c, 60, 294)->text, "Front Steam Port Max");
    EXPECT_EQ(textAt(c, 230, 216)->text, "Front Exhaust Port Open");
    EXPECT_EQ(textAt(c, 230, 177)->text, "Rear Steam Port Open");
    EXPECT_EQ(textAt(c, 230, 121)->text, "Rear Steam Port Max");
    EXPECT_EQ(textAt(c, 60, 199)->text, "Rear Exhaust Port Open");
    // Lime lines, their texts, then red lines: the texts come between.
    const auto& all = c.primitives();
    size_t lastLime = 0, firstRed = 0, frontText = 0;
    for (size_t k = 0; k < all.size(); ++k) {
        if (all[k].kind == PrimitiveKind::Line && all[k].colour == colours::Lime) lastLime = k;
        if (all[k].kind == PrimitiveKind::Line && all[k].colour == colours::Red && !firstRed)
            firstRed = k;
        if (all[k].kind == PrimitiveKind::Text && all[k].text == "Front Exhaust Port Open")
            frontText = k;
    }
    EXPECT_LT(lastLime, frontText);
    EXPECT_LT(frontText, firstRed);
}

TEST_F(SineDiagramTest, OneLabelledCurvePerPosition) {
    drawSineDiagram(m, c);
    const auto segments = curveSegments(c);
    ASSERT_EQ(segments.size(), 3u * 66);
    for (int i = 0; i < 3; ++i) {
        const Primitive& first = segments[66 * i];
        const Primitive& last = segments[66 * i + 65];
        EXPECT_EQ(first.coords[0], 58);
        EXPECT_EQ(last.coords[2], 586);
        // The bold number stands at the curve's left end.
        const Primitive* label = textAt(c, 45, first.coords[1]);
        ASSERT_NE(label, nullptr) << i;
        EXPECT_EQ(label->text, formatFixed(i + 1, 2, 0));
        EXPECT_TRUE(label->style.bold);
    }
    // Consecutive segments join.
    for (size_t k = 1; k < segments.size(); ++k) {
        if (k % 66 == 0) continue; // a new curve
        EXPECT_EQ(segments[k].coords[1], segments[k - 1].coords[3]) << k;
    }
    // Legend rows: number, position, then the side word over the number's blanks.
    EXPECT_EQ(textAt(c, 545, 36)->text, "    2");
    EXPECT_EQ(textAt(c, 580, 36)->text, "-1.500");
    EXPECT_EQ(textAt(c, 533, 36)->text, "Fwd");
    EXPECT_EQ(textAt(c, 533, 24)->text, "Cen");
    EXPECT_EQ(textAt(c, 533, 48)->text, "Rev");
    EXPECT_EQ(m.diagrams.LastPlottedRevArmPos, m.gear.RevArmPositions[3]);
}

TEST_F(SineDiagramTest, NominalMidGearFigures) {
    drawSineDiagram(m, c);
    EXPECT_EQ(textAt(c, 592, 195)->text, " 0.156"); // front steam lap, 0.1565 as a 4-byte real
    EXPECT_EQ(textAt(c, 592, 266)->text, " 0.156");
    EXPECT_EQ(textAt(c, 592, 224)->text, " 0.000"); // exhaust clearances, 0.0005
    EXPECT_EQ(textAt(c, 592, 237)->text, " 0.000");
    for (int y : {166, 295}) {
        ASSERT_NE(textAt(c, 592, y), nullptr);
        EXPECT_EQ(textAt(c, 592, y)->text.size(), 6u);
    }
    for (auto [y, text] :
         {std::pair{153, "Lead"}, {182, "Lap"}, {211, "ExCl"}, {253, "Lap"}, {282, "Lead"}})
        EXPECT_EQ(textAt(c, 595, y)->text, text);
    // Only the mid-gear curve prints them.
    EXPECT_EQ(countTexts(c, "ExCl"), 1);
}

TEST_F(SineDiagramTest, MidGearFiguresOnlyStrictlyWithinTheWindow) {
    m.gear.RevArmPositions[0] = 0;
    m.diagrams.RevArmPosCount = 1;
    for (auto [position, printed] :
         {std::pair{0.0499f, true}, {-0.0499f, true}, {0.05f, false}, {-0.05f, false}}) {
        m.gear.RevArmPositions[1] = position;
        c.clear();
        drawSineDiagram(m, c);
        EXPECT_EQ(c.findText("ExCl") != nullptr, printed) << position;
    }
}

TEST_F(SineDiagramTest, ShortValveMeasuresLapsFromTheMiddleOfItsSwing) {
    m.cyl.ValveLengthRearHalf = 0.1f; // not longer than the 0.156 rear port
    solve(m);
    drawSineDiagram(m, c);
    // Pivot 4 swings about X 8, so the lap measured from there is far from 0.156.
    EXPECT_LT(std::stod(textAt(c, 592, 195)->text), -1);
}

TEST_F(SineDiagramTest, LegendRowsAndHeaderFollowTheTextScale) {
    m.display.textScaleH = 1.27f;
    m.display.textScaleV = 1.22f;
    drawSineDiagram(m, c);
    EXPECT_EQ(textAt(c, 635, 0)->text, "Reverse Arm Positions");
    EXPECT_EQ(textAt(c, 660, 13)->text, "Center");
    EXPECT_EQ(textAt(c, 692, 27)->text, "    1"); // round(1.22 * 12) + 12
    EXPECT_EQ(textAt(c, 692, 41)->text, "    2");
    EXPECT_EQ(textAt(c, 692, 56)->text, "    3");
    EXPECT_NE(textAt(c, 9, 46), nullptr); // the picture's own texts stay put
    EXPECT_NE(textAt(c, 60, 238), nullptr);
}

} // namespace
