#include "diagrams/OvalDiagram.h"
#include "DiagramTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace corvellan;
using namespace corvellan::testing;

namespace {

// Loop segments: the black lines after the last (red) level line.
std::vector<Primitive> loopSegments(const RecordingCanvas& c) {
    const auto& all = c.primitives();
    size_t start = 0;
    for (size_t k = 0; k < all.size(); ++k)
        if (all[k].kind == PrimitiveKind::Line && all[k].colour == colours::Red) start = k + 1;
    std::vector<Primitive> out;
    for (size_t k = start; k < all.size(); ++k)
        if (all[k].kind == PrimitiveKind::Line && all[k].colour == colours::Black)
            out.push_back(all[k]);
    return out;
}

class OvalDiagramTest : public ::testing::Test {
  protected:
    Model m = nominalWithPositions();
    RecordingCanvas c{632, 426};
};

TEST_F(OvalDiagramTest, DeadCentresLieOnTheBorderLines) {
    EXPECT_EQ(ovalColumn(m, 0), 584);  // 584.5, halves to even
    EXPECT_EQ(ovalColumn(m, 180), 44); // 43.5
    EXPECT_EQ(ovalColumn(m, 360), 584);
    EXPECT_FALSE(m.error.GeometryError);
    Model shortRod = m;
    shortRod.frame.MainRod = 1; // cannot reach at 90 degrees: repaired and flagged
    EXPECT_GT(ovalColumn(shortRod, 90), 44);
    EXPECT_TRUE(shortRod.error.GeometryError);
    m.diagrams.RevArmPosCount = 0;
    drawOvalDiagram(m, c);
    EXPECT_EQ(countLines(c, 44, 84, 44, 346), 1);
    EXPECT_EQ(countLines(c, 584, 84, 584, 346), 1);
}

TEST_F(OvalDiagramTest, CountZeroDrawsFrameAxesScaleAndLevelsOnly) {
    m.diagrams.RevArmPosCount = 0;
    drawOvalDiagram(m, c);
    EXPECT_TRUE(loopSegments(c).empty());
    // 9 rows of 19 dashes and 9 ticks, two borders, 61 + 13 marks, 6 levels.
    EXPECT_EQ(c.ofKind(PrimitiveKind::Line).size(), 9u * 28 + 2 + 61 + 13 + 6);
    EXPECT_EQ(countLines(c, 71, 84, 71, 90), 1);     // first 5-percent dash
    EXPECT_EQ(countLines(c, 530, 338, 530, 348), 1); // last 10-percent tick
    EXPECT_EQ(textAt(c, 45, 353)->text, "100");
    EXPECT_EQ(textAt(c, 577, 348)->text, "0");
    EXPECT_EQ(textAt(c, 386, 367)->text, "Forward End --->");
    EXPECT_EQ(textAt(c, 15, 60)->text, "0.6"); // labels at x 15 here
    EXPECT_TRUE(textsAtX(c, 14).empty());
    EXPECT_EQ(textAt(c, 430, 238)->text, "Front Steam Port Open");
    EXPECT_EQ(textAt(c, 75, 121)->text, "Rear Steam Port Max");
    EXPECT_EQ(linesIn(c, colours::Lime)[0].coords, (std::vector<int>{15, 254, 584, 254}));
    EXPECT_EQ(c.findText("Lead"), nullptr);
}

TEST_F(OvalDiagramTest, EachLoopClosesOnItselfAndIsLabelledTwice) {
    drawOvalDiagram(m, c);
    const auto segments = loopSegments(c);
    ASSERT_EQ(segments.size(), 3u * 45);
    for (int i = 0; i < 3; ++i) {
        const Primitive& first = segments[45 * i];
        const Primitive& last = segments[45 * i + 44];
        EXPECT_EQ(last.coords[2], first.coords[0]) << i;
        EXPECT_EQ(last.coords[3], first.coords[1]) << i;
        for (int k = 45 * i + 1; k < 45 * (i + 1); ++k)
            EXPECT_EQ(segments[k].coords[0], segments[k - 1].coords[2]);
        int minX = 1000, maxX = -1000;
        for (int k = 45 * i; k < 45 * (i + 1); ++k) {
            minX = std::min(minX, segments[k].coords[0]);
            maxX = std::max(maxX, segments[k].coords[0]);
        }
        EXPECT_EQ(maxX, 584); // driver angle 0 is sampled
        EXPECT_GE(minX, 44);
    }
    const auto left = textsAtX(c, 300), right = textsAtX(c, 334);
    ASSERT_EQ(left.size(), 3u);
    ASSERT_EQ(right.size(), 3u);
    EXPECT_EQ(left[1].text, " 2");
    EXPECT_TRUE(left[1].style.bold);
    EXPECT_EQ(textAt(c, 592, 195)->text, " 0.156");
    EXPECT_EQ(textAt(c, 592, 237)->text, " 0.000");
}

} // namespace
