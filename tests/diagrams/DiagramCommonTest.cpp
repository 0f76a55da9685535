// What all four diagrams share: the user's setting survives a draw, the
// header block, and the golden draw lists of the nominal gear.
#include "DiagramTestSupport.h"
#include "diagrams/DiagramFrame.h"
#include "diagrams/OvalDiagram.h"
#include "diagrams/PortDiagram.h"
#include "diagrams/SineDiagram.h"
#include "diagrams/SteamDiagram.h"
#include "model/DynVars.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <sstream>

using namespace corvellan;
using namespace corvellan::testing;

namespace {

struct Diagram {
    const char* name;
    void (*draw)(Model&, Canvas&);
};

const Diagram kDiagrams[] = {{"sine", drawSineDiagram},
                             {"oval", drawOvalDiagram},
                             {"steam", drawSteamDiagram},
                             {"ports", drawPortDiagram}};

class EveryDiagram : public ::testing::TestWithParam<Diagram> {};

TEST_P(EveryDiagram, KeepsTheUsersSettingAndAngle) {
    Model m = nominalWithPositions();
    m.gear.RevArmPos = 0.7f;
    m.gear.DriverAngle = 123.4f;
    RecordingCanvas c{632, 426};
    GetParam().draw(m, c);
    EXPECT_EQ(m.gear.RevArmPos, 0.7f);
    EXPECT_EQ(m.gear.DriverAngle, 123.4f);
    EXPECT_FALSE(c.primitives().empty());
}

// Values no dialog lets through but a dimension file or a dynamic variable
// can: every draw still ends, stays bounded and restores the setting.
TEST_P(EveryDiagram, SurvivesUnusableValues) {
    const Real nan = std::numeric_limits<Real>::quiet_NaN();
    const std::function<void(Model&)> breakages[] = {
        [&](Model& m) { m.diagrams.VerticalScale = nan; },
        [](Model& m) { m.diagrams.VerticalScale = 1e30f; },
        [](Model& m) { m.diagrams.VerticalScale = 0; },
        [](Model& m) { m.diagrams.RevArmPosCount = 1000; },
        [](Model& m) { m.diagrams.RevArmPosCount = -3; },
        [&](Model& m) { m.gear.RevArmPositions[2] = nan; },
        [](Model& m) { m.frame.MainRod = 1; },
        [](Model& m) { m.frame.Stroke = 0; },
        [](Model& m) { m.frame.RevArmToCentMax = 0; },
    };
    for (size_t k = 0; k < std::size(breakages); ++k) {
        Model m = nominalWithPositions();
        breakages[k](m);
        m.gear.RevArmPos = 0.7f;
        RecordingCanvas c{632, 426};
        GetParam().draw(m, c);
        EXPECT_LT(c.primitives().size(), 20000u) << k;
        EXPECT_EQ(m.gear.RevArmPos, 0.7f) << k;
    }
}

// A gear whose valve or piston cannot be placed gives samples that are not
// numbers; rounded, they would land on row or column 0. Nothing is drawn
// there beyond what the layout itself puts there, while the rest of the
// diagram still is.
TEST_P(EveryDiagram, DrawsNothingWhereTheGearHasNoPlace) {
    const auto atEdge = [](const RecordingCanvas& c) {
        int n = 0;
        for (const Primitive& p : c.primitives()) {
            if (p.kind == PrimitiveKind::Line)
                n += p.coords[0] == 0 || p.coords[1] == 0 || p.coords[2] == 0 || p.coords[3] == 0;
            if (p.kind == PrimitiveKind::Text) n += p.coords[1] == 0;
        }
        return n;
    };
    Model nominal = nominalWithPositions();
    RecordingCanvas layout{632, 426};
    GetParam().draw(nominal, layout);

    const Real nan = std::numeric_limits<Real>::quiet_NaN();
    for (Real FrameDimensions::*broken : {&FrameDimensions::ValveRod, &FrameDimensions::MainRod}) {
        Model m = nominalWithPositions();
        m.frame.*broken = nan;
        RecordingCanvas c{632, 426};
        GetParam().draw(m, c);
        EXPECT_EQ(atEdge(c), atEdge(layout))
            << (broken == &FrameDimensions::ValveRod ? "valve rod" : "main rod");
        EXPECT_GT(c.ofKind(PrimitiveKind::Line).size(), 100u);
    }
}

TEST_P(EveryDiagram, MatchesItsGoldenDrawList) {
    Model m = nominalWithPositions();
    RecordingCanvas c{632, 426};
    GetParam().draw(m, c);
    const std::string path =
        std::string(CORVELLAN_TEST_DATA) + "/diagrams/" + GetParam().name + ".txt";
    if (std::getenv("CORVELLAN_UPDATE_GOLDEN")) {
        std::ofstream(path) << c.toText();
        GTEST_SKIP() << "wrote " << path;
    }
    std::ifstream in(path);
    ASSERT_TRUE(in) << "missing " << path;
    std::stringstream golden;
    golden << in.rdbuf();
    const std::string want = golden.str(), got = c.toText();
    if (want == got) return;
    // Report the first differing line rather than two whole lists.
    std::istringstream a(want), b(got);
    std::string la, lb;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, la));
        const bool moreB = static_cast<bool>(std::getline(b, lb));
        if (!moreA && !moreB) break;
        if (la != lb || moreA != moreB) {
            ADD_FAILURE() << path << ":" << line << "\n  want: " << la << "\n  got:  " << lb;
            break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Diagrams, EveryDiagram, ::testing::ValuesIn(kDiagrams),
                         [](const auto& info) { return std::string(info.param.name); });

class HeaderBlockTest : public ::testing::Test {
  protected:
    void SetUp() override { initialiseModel(m); }
    void bind(int code) {
        RegisterDimension(m, code, dimensionValue(m, code), dimensionInfo(code)->label);
    }
    Model m;
    RecordingCanvas c{632, 414};
};

TEST_F(HeaderBlockTest, NothingWhileBothSwitchesAreOff) {
    drawDiagramHeader(m, c);
    EXPECT_TRUE(c.primitives().empty());
    const DiagramHeaderControls h = diagramHeaderControls(m);
    EXPECT_FALSE(h.dynBarsVisible);
    EXPECT_FALSE(h.undoButtonVisible);
}

TEST_F(HeaderBlockTest, RedBannerUntilAVariableIsBound) {
    m.dyn.DynVarsShown = true;
    drawDiagramHeader(m, c);
    ASSERT_EQ(c.texts().size(), 3u);
    EXPECT_EQ(textAt(c, 235, 12)->text, "* First Select Dimensions *");
    EXPECT_EQ(textAt(c, 235, 2)->colour, colours::Red);
    EXPECT_EQ(textAt(c, 235, 26)->colour, colours::Red);
    const DiagramHeaderControls h = diagramHeaderControls(m);
    EXPECT_TRUE(h.dynBarsVisible);
    for (bool enabled : h.dynBarEnabled)
        EXPECT_FALSE(enabled);
}

TEST_F(HeaderBlockTest, BoundVariablesOnFixedRows) {
    m.dyn.DynVarsShown = true;
    bind(DriverDiaCode);
    bind(StrokeCode);
    drawDiagramHeader(m, c);
    EXPECT_EQ(textAt(c, 235, 2)->text, m.dyn.slots[1].name);
    EXPECT_EQ(textAt(c, 363, 2)->text, formatFixed(m.dyn.slots[1].value, 6, 3));
    EXPECT_EQ(textAt(c, 363, 14)->text, formatFixed(m.dyn.slots[2].value, 6, 3));
    ASSERT_NE(textAt(c, 235, 38), nullptr);
    EXPECT_EQ(textAt(c, 235, 38)->text, kDynPlaceholderName);
    const DiagramHeaderControls h = diagramHeaderControls(m);
    EXPECT_TRUE(h.dynBarEnabled[0]);
    EXPECT_TRUE(h.dynBarEnabled[1]);
    EXPECT_FALSE(h.dynBarEnabled[2]);
}

TEST_F(HeaderBlockTest, UndoLineIsDrawnAsLastBuiltThenRebuilt) {
    m.dyn.UndoShown = true;
    m.dyn.UndoLine = "old line";
    drawDiagramHeader(m, c);
    // Without the dynamic variables only the line as last built shows.
    ASSERT_EQ(c.texts().size(), 1u);
    EXPECT_EQ(textAt(c, 150, 55)->text, "old line");
    EXPECT_EQ(m.dyn.UndoLine, undoLine(m) + std::string(46, ' '));
    EXPECT_TRUE(diagramHeaderControls(m).undoButtonVisible);

    m.dyn.DynVarsShown = true;
    m.dyn.UndoLine = "old line";
    m.display.textScaleH = 1.27f;
    m.display.textScaleV = 1.22f;
    c.clear();
    drawDiagramHeader(m, c);
    const auto undo = textsAtX(c, 190); // 190.5, halves to even
    ASSERT_EQ(undo.size(), 2u);
    EXPECT_EQ(undo[0].text, "old line");
    EXPECT_EQ(undo[1].text, m.dyn.UndoLine);
    EXPECT_EQ(undo[1].coords[1], 67);                   // round(55 * 1.22)
    EXPECT_EQ(textAt(c, 298, 2)->colour, colours::Red); // banner at round(235 * 1.27)
    EXPECT_NE(textAt(c, 298, 15), nullptr);             // round(12 * 1.22)
}

} // namespace
