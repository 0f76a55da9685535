#include "TickFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <limits>
#include <sstream>

using namespace corvellan;
using namespace corvellan::testing;

namespace {

struct NominalFrame : TickFixture {};

std::vector<int> coords(std::initializer_list<int> v) {
    return v;
}

} // namespace

TEST_F(NominalFrame, DriverCentreCrossIsCentredOnTheNominalOffsets) {
    tick();
    auto red = ofKindAndColour(canvas, PrimitiveKind::Line, colours::Red);
    ASSERT_GE(red.size(), 2u);
    // Two 11-pixel diagonals: 145..135 either way about (140, 270).
    EXPECT_EQ(red[0].coords, coords({145, 275, 134, 264}));
    EXPECT_EQ(red[1].coords, coords({145, 265, 134, 276}));
}

TEST_F(NominalFrame, WheelCircleSpans196Pixels) {
    tick();
    auto ellipses = canvas.ofKind(PrimitiveKind::Ellipse);
    ASSERT_FALSE(ellipses.empty());
    const std::vector<int>& box = ellipses[0].coords;
    EXPECT_EQ(box, coords({42, 172, 238, 368}));
    EXPECT_EQ(box[2] - box[0], 196);
    EXPECT_EQ(box[3] - box[1], 196);
}

TEST_F(NominalFrame, ItemsComeInTheFixedFrameOrder) {
    tick();
    std::vector<std::string> kinds;
    for (const Primitive& p : canvas.primitives()) {
        if (p.kind == PrimitiveKind::Text) break;
        kinds.push_back(
            p.toLine().substr(0, p.toLine().find(' ')) + " " +
            (p.kind == PrimitiveKind::Erase ? "" : p.toLine().substr(p.toLine().find('#'), 7)));
    }
    const std::vector<std::string> expected = {
        "erase ",           "ellipse #000000",  "arc #000000", // wheel, counterweight
        "ellipse #000000",  "ellipse #000000",  "ellipse #000000", "ellipse #000000",
        "ellipse #000000",  "ellipse #000000",  "ellipse #000000", "ellipse #000000",
        "ellipse #000000",                      // nine pins
        "polyline #808080", "polyline #808080", // section
        "line #000000",     "polyline #000000", "line #000000",
        "polyline #000000", // piston, valve
        "line #ff0000",     "line #ff0000",     "line #ff0000",
        "line #ff0000", // crosses
        "line #ff0000",     "line #00ff00",     "line #0000ff",
        "line #ff0000",                                          // rods, lever, link
        "line #000000",     "line #00ff00",     "line #ff0000"}; // reach rod, cranks
    EXPECT_EQ(kinds, expected);
}

TEST_F(NominalFrame, ScreenDataShowsTheAdvancedAngleAndThisAnglesFigures) {
    tick();
    ASSERT_NE(canvas.findText("Driv Ang"), nullptr);
    EXPECT_EQ(canvas.findText("Driv Ang")->text, "Driv Ang  10.00  ");
    EXPECT_EQ(canvas.findText("Piston %")->text, "Piston %   0.00  ");
    EXPECT_EQ(canvas.findText("ValveCen")->text, "ValveCen -0.188  ");
    EXPECT_EQ(canvas.findText("ValveFSt")->text, "ValveFSt  0.031  ");
    EXPECT_EQ(canvas.findText("Step Ang")->text, "Step Ang 10.00  ");
    const Primitive* rev = canvas.findText("Rev Arm");
    EXPECT_EQ(rev->coords, coords({459, 25}));
}

TEST_F(NominalFrame, ScreenDataOffDrawsNoFiguresButTheMechanismAndOverlay) {
    m.overlay.Type[1] = 0; // a fixed black line
    m.overlay.Color[1] = 0;
    m.overlay.RefMode[1] = 0;
    m.overlay.X2[1] = 1;
    tick();
    const size_t withData = canvas.primitives().size();
    const auto shapesWith = canvas.ofKind(PrimitiveKind::Line).size();
    m.display.screenData = false;
    m.gear.DriverAngle = 0;
    tick();
    EXPECT_TRUE(canvas.texts().empty());
    EXPECT_EQ(canvas.ofKind(PrimitiveKind::Line).size(), shapesWith);
    EXPECT_LT(canvas.primitives().size(), withData);
    EXPECT_FALSE(f.captions.main.empty());
    // The overlay line from (0, 0) to (1, 0): 140..168 on row 270.
    auto lines = canvas.ofKind(PrimitiveKind::Line);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const Primitive& p) {
        return p.coords == std::vector<int>{140, 270, 168, 270};
    }));
}

TEST_F(NominalFrame, LargeFontMovesTextsButNotMarks) {
    m.display.textScaleH = 1.27f;
    m.display.textScaleV = 1.22f;
    tick();
    EXPECT_EQ(canvas.findText("Pan Vert")->coords, coords({253, 31}));
    auto red = ofKindAndColour(canvas, PrimitiveKind::Line, colours::Red);
    EXPECT_EQ(red[0].coords, coords({145, 275, 134, 264}));
}

TEST_F(NominalFrame, LineWidthSettingWidensTheMechanismPen) {
    m.display.lineWidth = 2;
    tick();
    for (const Primitive& p : canvas.ofKind(PrimitiveKind::Line))
        EXPECT_EQ(p.penWidth, 2);
}

TEST_F(NominalFrame, CaptionsCarryNameDateTimeAndVersion) {
    m.DimSetName = "Test";
    tick();
    EXPECT_EQ(f.captions.main,
              "CORVELLAN Outside Admission            Test     01/02/03   04:05:06   Version 2.6");
    EXPECT_EQ(f.captions.ports, "CORVELLAN Outside Admission      Port Open/Closed    Test     "
                                "01/02/03   04:05:06   Version 2.6");
    EXPECT_EQ(f.captions.dataTable.substr(0, 40), "CORVELLAN Outside Admission  Data Table ");
}

TEST_F(NominalFrame, CutOffFiguresAppearInFullGearAndHideForLargeOrNoStep) {
    m.gear.RevArmPos = m.gear.RevArmPositions[2]; // normal forward
    bool sawFront = false;
    for (int i = 0; i < 40 && !sawFront; ++i) {
        tick();
        const Primitive* label = canvas.findText("FrontCO%");
        ASSERT_NE(label, nullptr);
        for (const Primitive& p : canvas.ofKind(PrimitiveKind::Text))
            if (p.coords == coords({600, 109})) sawFront = true;
    }
    EXPECT_TRUE(sawFront);
    m.gear.StepAngle = 0;
    tick();
    EXPECT_EQ(canvas.findText("FrontCO%"), nullptr);
    m.gear.StepAngle = 23;
    tick();
    EXPECT_EQ(canvas.findText("RearCO%"), nullptr);
}

TEST_F(NominalFrame, CutOffTextIsHeldForItsCountThenDisappears) {
    m.events.front.cutOffText = "12.3";
    m.events.front.holdCount = 2;
    m.gear.DriverAngle = 90; // both steam ports stay shut over the next degrees
    m.gear.StepAngle = 1;
    auto shown = [&] {
        for (const Primitive& p : canvas.ofKind(PrimitiveKind::Text))
            if (p.text == "12.3") return true;
        return false;
    };
    tick();
    EXPECT_TRUE(shown());
    tick();
    EXPECT_TRUE(shown());
    tick();
    EXPECT_FALSE(shown());
}

TEST_F(NominalFrame, ErrorIndicatorBlinksAndSoundsEvery21Ticks) {
    m.frame.ValveRod = 0.1f; // cannot reach: the solver substitutes and flags
    m.gear.DriverAngle = 30;
    m.gear.StepAngle = 0;
    std::vector<bool> visible;
    for (int i = 0; i < 42; ++i) {
        tick();
        visible.push_back(f.window.errorItemVisible);
    }
    EXPECT_TRUE(visible[0]);
    EXPECT_TRUE(visible[8]);
    EXPECT_FALSE(visible[9]); // tick 10 hides it and sounds
    EXPECT_FALSE(visible[20]);
    EXPECT_TRUE(visible[21]); // raised again on the next solve
    EXPECT_EQ(sound.errors, 2);
}

TEST_F(NominalFrame, ErrorIndicatorStaysQuietWithErrorBeepOffOrScreenDataOff) {
    m.frame.ValveRod = 0.1f;
    m.error.ErrorBeep = false;
    for (int i = 0; i < 25; ++i)
        tick();
    EXPECT_FALSE(f.window.errorItemVisible);
    m.error.ErrorBeep = true;
    m.display.screenData = false;
    for (int i = 0; i < 25; ++i)
        tick();
    EXPECT_FALSE(f.window.errorItemVisible);
    EXPECT_EQ(sound.errors, 0);
}

TEST_F(NominalFrame, UndoAndDynamicVariablePanels) {
    m.dyn.UndoShown = true;
    m.dyn.DynVarsShown = true;
    m.dyn.UndoCount = 1;
    m.dyn.undo[1] = UndoEntry{1, 7.0f, 7.5f, "Driver Dia"};
    tick();
    EXPECT_EQ(m.dyn.UndoLine, " 1- Driver Dia  7.500 to  7.000");
    ASSERT_NE(canvas.findText(" 1- Driver Dia"), nullptr);
    EXPECT_EQ(canvas.findText(" 1- Driver Dia")->coords, coords({320, 128}));
    EXPECT_TRUE(f.window.undoButtonVisible);
    EXPECT_EQ(f.window.undoButtonTop, 127);
    EXPECT_NE(canvas.findText("* First Select Dimensions *"), nullptr);
    EXPECT_FALSE(f.window.dynVarBarEnabled[0]);
    m.dyn.slots[1] = DynVarSlot{1, 7.0f, "Driver Dia"};
    m.dyn.DynVarsShown = false;
    tick();
    EXPECT_EQ(f.window.undoButtonTop, 72);
    EXPECT_EQ(canvas.findText("Driver Dia"), nullptr);
    EXPECT_EQ(canvas.findText(" 1- Driver Dia")->coords, coords({320, 73}));
    m.dyn.DynVarsShown = true;
    tick();
    ASSERT_NE(canvas.findText("Driver Dia"), nullptr);
    EXPECT_EQ(canvas.findText("Driver Dia")->coords, coords({377, 71}));
    EXPECT_NE(canvas.findText(" 7.000"), nullptr);
    EXPECT_TRUE(f.window.dynVarBarEnabled[0]);
    m.display.screenData = false;
    tick();
    EXPECT_FALSE(f.window.undoButtonVisible);
}

// A Main Rod at the largest 4-byte real: the figures it ruins show blank,
// and the value itself fits its place in exponent form.
TEST_F(NominalFrame, FiguresThatAreNoNumberShowBlankAndHugeOnesShort) {
    const float huge = std::numeric_limits<float>::max();
    m.frame.MainRod = huge;
    m.dyn.slots[1] = DynVarSlot{MainRodCode, huge, "Main Rod"};
    m.dyn.DynVarsShown = true;
    m.dyn.UndoShown = true;
    m.dyn.UndoCount = 1;
    m.dyn.undo[1] = UndoEntry{MainRodCode, 8.0f, huge, "Main Rod"};
    tick();
    ASSERT_NE(canvas.findText("Piston %"), nullptr);
    EXPECT_EQ(canvas.findText("Piston %")->text, "Piston %         ");
    ASSERT_NE(canvas.findText("3.40e+38"), nullptr);
    EXPECT_EQ(canvas.findText("3.40e+38")->coords, coords({498, 71}));
    EXPECT_EQ(m.dyn.UndoLine, " 1- Main Rod 3.40e+38 to  8.000");
    for (const std::string& t : canvas.texts())
        EXPECT_EQ(t.find("NaN"), std::string::npos) << t;
}

TEST_F(NominalFrame, PanelHooksRunInOrderOnlyWithScreenData) {
    std::string order;
    f.panels.pivotData = [&](Model&, Canvas&) { order += "P"; };
    f.panels.overlayPickPrompt = [&](Model&, Canvas&) { order += "O"; };
    f.panels.referencePoints = [&](Model&, Canvas&) { order += "R"; };
    tick();
    EXPECT_EQ(order, "POR");
    m.display.screenData = false;
    tick();
    EXPECT_EQ(order, "POR");
}

TEST_F(NominalFrame, MatchesTheGoldenDrawList) {
    tick();
    const std::string path = std::string(CORVELLAN_TEST_DATA) + "/mechanism_nominal.txt";
    if (std::getenv("CORVELLAN_UPDATE_GOLDEN")) std::ofstream(path) << canvas.toText();
    std::ifstream in(path);
    ASSERT_TRUE(in) << "missing " << path;
    std::stringstream golden;
    golden << in.rdbuf();
    EXPECT_EQ(canvas.toText(), golden.str());
}

TEST_F(NominalFrame, CounterweightSitsOppositeTheDrawnCrankPin) {
    m.gear.DriverAngle = 90; // pin straight below the centre; drawn before the advance
    tick();
    auto arcs = canvas.ofKind(PrimitiveKind::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    const std::vector<int>& a = arcs[0].coords;
    // Radius 0.35 * 7 * 28 = 68.6 pixels; the radials at 90 -/+ 110 degrees
    // lie mirrored about the vertical, above the centre.
    EXPECT_EQ(a[5], a[7]);
    EXPECT_EQ(a[4] - 140, 140 - a[6]);
    EXPECT_LT(a[5], 270);
}
