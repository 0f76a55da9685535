#include "diagrams/PortDiagram.h"
#include "DiagramTestSupport.h"

#include <gtest/gtest.h>

using namespace corvellan;
using namespace corvellan::testing;

namespace {

int countKind(const RecordingCanvas& c, PrimitiveKind kind, size_t from = 0) {
    int n = 0;
    for (size_t k = from; k < c.primitives().size(); ++k)
        n += c.primitives()[k].kind == kind;
    return n;
}

// Primitives drawn after the last erase.
RecordingCanvas afterLastErase(const RecordingCanvas& c) {
    size_t start = 0;
    for (size_t k = 0; k < c.primitives().size(); ++k)
        if (c.primitives()[k].kind == PrimitiveKind::Erase) start = k + 1;
    RecordingCanvas out;
    for (size_t k = start; k < c.primitives().size(); ++k) {
        const Primitive& p = c.primitives()[k];
        if (p.kind == PrimitiveKind::Line) {
            out.setPen(p.colour, p.penWidth);
            out.line(p.coords[0], p.coords[1], p.coords[2], p.coords[3]);
        } else if (p.kind == PrimitiveKind::Text) {
            out.text(p.coords[0], p.coords[1], p.text, p.style);
        }
    }
    return out;
}

class PortDiagramTest : public ::testing::Test {
  protected:
    Model m = nominalWithPositions();
    RecordingCanvas c{632, 414};
};

TEST_F(PortDiagramTest, NormalLineAndRowLabelsOfTheForwardGraph) {
    drawPortDiagram(m, c);
    // round(343 - 1.5 * 288 / 1.7) = 89
    const auto blue = linesIn(c, colours::Blue);
    ASSERT_EQ(blue.size(), 1u);
    EXPECT_EQ(blue[0].coords, (std::vector<int>{59, 89, 650, 89}));
    EXPECT_EQ(textAt(c, 345, 82)->text, "Normal");
    EXPECT_EQ(textAt(c, 345, 82)->colour, colours::Blue);
    EXPECT_EQ(textAt(c, 420, 47)->colour, colours::Red);

    const auto labels = textsAtX(c, 556);
    ASSERT_EQ(labels.size(), 19u);
    for (int i = 0; i < 19; ++i)
        EXPECT_EQ(labels[i].coords[1], 336 - 16 * i);
    EXPECT_EQ(labels[0].text, "  0.000");
    EXPECT_EQ(labels[9].text, " -0.850");
    EXPECT_EQ(labels[18].text, " -1.700");
    EXPECT_EQ(countTexts(c, "Forward"), 19);
    EXPECT_EQ(textAt(c, 446, 284)->colour, colours::Teal);
    EXPECT_EQ(textAt(c, 446, 296)->colour, colours::Red);
    std::string title;
    for (const Primitive& t : c.ofKind(PrimitiveKind::Text))
        if (t.coords[0] == 535 || t.coords[0] == 537) title += t.text;
    EXPECT_EQ(title, "REVERSEARMPOSITION");
}

TEST_F(PortDiagramTest, EventLinesJoinARowToTheRowBelow) {
    for (char mode : {'F', 'R'}) {
        m.diagrams.PortGraphMode = mode;
        c.clear();
        drawPortDiagram(m, c);
        const bool forward = mode == 'F';
        const auto front = linesIn(c, forward ? colours::Teal : colours::Green);
        const auto rear = linesIn(c, forward ? colours::Red : colours::Maroon);
        EXPECT_FALSE(front.empty()) << mode;
        EXPECT_FALSE(rear.empty()) << mode;
        EXPECT_TRUE(linesIn(c, forward ? colours::Green : colours::Teal).empty()) << mode;
        for (const auto* set : {&front, &rear})
            for (const Primitive& l : *set) {
                EXPECT_EQ(l.coords[1] - l.coords[3], 16) << l.toLine();
                EXPECT_EQ((343 - l.coords[3]) % 16, 0) << l.toLine();
                EXPECT_GE(l.coords[3], 343 - 16 * 18);
                EXPECT_LE(l.coords[3], 343);
            }
    }
    // The reverse graph labels the rows on the reverse side.
    const auto labels = textsAtX(c, 596);
    ASSERT_EQ(labels.size(), 19u);
    EXPECT_EQ(labels[18].text, "  1.700");
    EXPECT_EQ(countTexts(c, "Rev."), 20); // 19 rows and the legend
}

TEST_F(PortDiagramTest, PhaseAnnotationFollowsTheSwitch) {
    drawPortDiagram(m, c);
    EXPECT_EQ(countKind(c, PrimitiveKind::Polyline), 5);
    for (const char* word : {"Exp", "Exh", "Com", "Adm"}) {
        ASSERT_NE(c.findText(word), nullptr) << word;
        EXPECT_TRUE(c.findText(word)->style.bold);
    }
    m.diagrams.PortPhaseArrows = false;
    c.clear();
    drawPortDiagram(m, c);
    EXPECT_EQ(countKind(c, PrimitiveKind::Polyline), 0);
    EXPECT_EQ(c.findText("Exp"), nullptr);
}

TEST_F(PortDiagramTest, BothGraphsThenForwardGraphLeavesOnlyTheForwardGraph) {
    choosePortGraph(m, c, 'B');
    EXPECT_EQ(m.diagrams.PortGraphMode, 'B');
    EXPECT_TRUE(m.diagrams.PortPhaseArrows);
    ASSERT_EQ(c.primitives().front().kind, PrimitiveKind::Erase);
    EXPECT_EQ(countKind(c, PrimitiveKind::Erase), 1);
    for (Rgb colour : {colours::Teal, colours::Red, colours::Green, colours::Maroon})
        EXPECT_FALSE(linesIn(c, colour).empty()) << std::hex << colour;
    EXPECT_NE(c.findText("Fwd."), nullptr);
    EXPECT_NE(c.findText("Rev."), nullptr);
    EXPECT_EQ(countKind(c, PrimitiveKind::Polyline), 5); // the forward pass only

    // Any redraw in mode 'B' repeats the whole sequence, erase included.
    c.clear();
    redrawPortDiagram(m, c, false);
    EXPECT_EQ(countKind(c, PrimitiveKind::Erase), 1);
    EXPECT_FALSE(linesIn(c, colours::Maroon).empty());

    choosePortGraph(m, c, 'F');
    EXPECT_EQ(m.diagrams.PortGraphMode, 'F');
    const RecordingCanvas shown = afterLastErase(c);
    EXPECT_TRUE(linesIn(shown, colours::Green).empty());
    EXPECT_TRUE(linesIn(shown, colours::Maroon).empty());
    EXPECT_FALSE(linesIn(shown, colours::Teal).empty());
    EXPECT_EQ(shown.findText("Rev."), nullptr);
    EXPECT_NE(shown.findText("Fwd."), nullptr);

    c.clear();
    redrawPortDiagram(m, c, false); // scroll end: draws over what is there
    EXPECT_EQ(countKind(c, PrimitiveKind::Erase), 0);
}

TEST_F(PortDiagramTest, LeavesTheSharedPreviousValuesAtTheLastSample) {
    m.diagrams.PortGraphMode = 'R';
    drawPortDiagram(m, c);
    const ValveEventState& e = m.events;
    EXPECT_EQ(e.prevPistonTravelPos, m.valve.PistonTravelPos);
    EXPECT_EQ(e.prevFrontSteamOpening, m.valve.FrontSteamOpening);
    EXPECT_EQ(e.prevRearSteamOpening, m.valve.RearSteamOpening);
    EXPECT_EQ(e.prevFrontExhaustOpening, m.valve.FrontExhaustOpening);
    EXPECT_EQ(e.prevRearExhaustOpening, m.valve.RearExhaustOpening);
}

} // namespace
