#include "diagrams/SteamDiagram.h"
#include "DiagramTestSupport.h"

#include <gtest/gtest.h>

using namespace corvellan;
using namespace corvellan::testing;

namespace {

class SteamDiagramTest : public ::testing::Test {
  protected:
    Model m = nominalWithPositions();
    RecordingCanvas c{632, 414};
};

TEST_F(SteamDiagramTest, CountZeroDrawsGridTitlesAndBaseLineOnly) {
    m.diagrams.RevArmPosCount = 0;
    drawSteamDiagram(m, c);
    // 9 rows of 19 dashes and 9 ticks, the two dead-centre lines, the base line.
    EXPECT_EQ(c.ofKind(PrimitiveKind::Line).size(), 9u * 28 + 3);
    EXPECT_EQ(countLines(c, 44, 70, 44, 346), 1);
    EXPECT_EQ(countLines(c, 45, 343, 585, 343), 1);
    EXPECT_EQ(c.findText("%CutOff"), nullptr);
    EXPECT_EQ(textAt(c, 20, 108)->text, "C");
    EXPECT_EQ(textAt(c, 22, 149)->text, "I");
    EXPECT_EQ(textAt(c, 32, 201)->text, "E");
    EXPECT_EQ(textAt(c, 577, 348)->text, "0");
    EXPECT_EQ(textAt(c, 91, 350)->text, "90");
    EXPECT_EQ(textAt(c, 186, 364)->text, "Percent Piston Travel");
}

TEST_F(SteamDiagramTest, TheFirstSampleOfADrawDrawsNothing) {
    // Whatever the previous openings say, the first sample is not drawn: a
    // port "closing" against them would otherwise print a cut-off.
    m.diagrams.RevArmPosCount = 1;
    Model first = m;
    first.gear.RevArmPos = first.gear.RevArmPositions[1];
    first.gear.DriverAngle = 92; // mid gear turns backwards from 96
    solve(first);
    computeValve(first);
    ASSERT_TRUE(first.valve.FrontSteamOpening <= 0 || first.valve.RearSteamOpening <= 0);

    m.events.prevFrontSteamOpening = m.events.prevRearSteamOpening = 1;
    drawSteamDiagram(m, c);
    Model n = nominalWithPositions();
    n.diagrams.RevArmPosCount = 1;
    n.events.prevFrontSteamOpening = n.events.prevRearSteamOpening = -1;
    RecordingCanvas other{632, 414};
    drawSteamDiagram(n, other);
    EXPECT_EQ(c.toText(), other.toText());
}

TEST_F(SteamDiagramTest, LeavesTheSharedPreviousValuesAtTheLastSample) {
    drawSteamDiagram(m, c);
    EXPECT_EQ(m.events.prevPistonTravelPos, m.valve.PistonTravelPos);
    EXPECT_EQ(m.events.prevFrontSteamOpening, m.valve.FrontSteamOpening);
    EXPECT_EQ(m.events.prevRearSteamOpening, m.valve.RearSteamOpening);
}

TEST_F(SteamDiagramTest, CutOffRowsOfBothEnds) {
    drawSteamDiagram(m, c);
    const Primitive* front = textAt(c, 587, 231);
    const Primitive* rear = textAt(c, 2, 231);
    ASSERT_NE(front, nullptr);
    ASSERT_NE(rear, nullptr);
    EXPECT_EQ(front->text, "%CutOff");
    EXPECT_EQ(front->colour, colours::Green);
    EXPECT_EQ(rear->text, "%CutOff");
    EXPECT_EQ(rear->colour, colours::Red);
    for (int i = 1; i <= 3; ++i) {
        const int row = 13 * i + 233;
        for (auto [numberX, valueX] : {std::pair{588, 600}, {3, 15}}) {
            const Primitive* number = textAt(c, numberX, row);
            const Primitive* value = textAt(c, valueX, row);
            ASSERT_NE(number, nullptr) << i;
            ASSERT_NE(value, nullptr) << i;
            EXPECT_EQ(number->text, std::to_string(i));
            EXPECT_EQ(number->colour, colours::Black);
            ASSERT_EQ(value->text.size(), 4u) << value->text;
            const double percent = std::stod(value->text);
            EXPECT_GT(percent, 0);
            EXPECT_LT(percent, 100);
        }
    }
    EXPECT_EQ(textAt(c, 588, 285), nullptr); // no fourth row
}

TEST_F(SteamDiagramTest, DrawsOneRevolutionPerPositionInsideTheFrame) {
    drawSteamDiagram(m, c);
    for (Rgb colour : {colours::Green, colours::Red}) {
        const auto lines = linesIn(c, colour);
        // 90 drawn samples a position, plus a short run to each cut-off.
        EXPECT_GE(lines.size(), 3u * 90);
        EXPECT_LE(lines.size(), 3u * 92);
        for (const Primitive& l : lines) {
            EXPECT_GE(std::min(l.coords[0], l.coords[2]), 44);
            EXPECT_LE(std::max(l.coords[0], l.coords[2]), 584);
        }
    }
    // Each curve carries its number while it expands through 150..250.
    int labels = 0;
    for (const Primitive& t : c.ofKind(PrimitiveKind::Text))
        if (t.style.bold) {
            EXPECT_TRUE(t.coords[1] == 122 || t.coords[1] == 135) << t.toLine();
            ++labels;
        }
    EXPECT_GE(labels, 3);
}

} // namespace
