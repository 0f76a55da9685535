#include "EditingTestSupport.h"

#include "main/DynVarBar.h"
#include "main/DynVarControls.h"
#include "model/DynVars.h"
#include "view/MechanismView.h"

#include <QFrame>
#include <QToolBar>

using namespace corvellan;
using namespace corvellan::test;

namespace {

class DynVarBarsTest : public EditingTest {
  protected:
    void SetUp() override {
        EditingTest::SetUp();
        // "Driver Dia" (7.0) has been left in the frame dialog.
        RegisterDimension(model, DriverDiaCode, model.frame.DriverDia, "Driver Dia");
        action("DynamicVariables")->trigger();
        window->tick();
    }
    QScrollBar* bar1() const { return bar("SBDynVar1"); }
};

} // namespace

TEST_F(DynVarBarsTest, ArrowAndTroughClicksNudgeTheDimensionAndSpringBack) {
    ASSERT_EQ(model.frame.DriverDia, 7.0f);
    ASSERT_TRUE(bar1()->isVisible() && bar1()->isEnabled());
    EXPECT_FALSE(bar("SBDynVar2")->isEnabled()); // no dimension bound yet

    clickPart(bar1(), QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(shown(model.frame.DriverDia), "7.001");
    EXPECT_EQ(bar1()->value(), 0);
    clickPart(bar1(), QStyle::SC_ScrollBarSubLine);
    EXPECT_EQ(shown(model.frame.DriverDia), "7.000");
    clickPart(bar1(), QStyle::SC_ScrollBarAddPage);
    EXPECT_EQ(shown(model.frame.DriverDia), "7.010");
    EXPECT_EQ(bar1()->value(), 0);

    // One undo entry per click, each starting where the click found the value.
    EXPECT_EQ(model.dyn.UndoCount, 3);
    EXPECT_EQ(model.dyn.undo[1].code, DriverDiaCode);
    EXPECT_EQ(shown(model.dyn.undo[1].before), "7.000");
    EXPECT_EQ(shown(model.dyn.undo[1].after), "7.010");
    EXPECT_EQ(shown(model.dyn.undo[3].before), "7.000");
    EXPECT_EQ(shown(model.dyn.undo[3].after), "7.001");
    // The bar gives the focus away, so its next use starts afresh.
    EXPECT_TRUE(bar("SBRevArm")->hasFocus());
    EXPECT_TRUE(button("UnDoDn")->isEnabled());
}

TEST_F(DynVarBarsTest, EccentricAngleMovesInTenthsAndWraps) {
    model.frame.EccCrankAngleDeg = 359.95f;
    RegisterDimension(model, EccCrankAngleDegCode, 359.95f, "Ecc Crank Angle Deg");
    clickPart(bar1(), QStyle::SC_ScrollBarAddPage);
    EXPECT_EQ(shown(model.frame.EccCrankAngleDeg), "0.950");
    clickPart(bar1(), QStyle::SC_ScrollBarSubLine);
    EXPECT_EQ(shown(model.frame.EccCrankAngleDeg), "0.850");
}

TEST_F(DynVarBarsTest, ThumbDragIsOneUndoEntry) {
    const QPoint thumb = partOf(bar1(), QStyle::SC_ScrollBarSlider);
    QTest::mousePress(bar1(), Qt::LeftButton, Qt::NoModifier, thumb);
    for (int dx = 4; dx <= 12; dx += 4)
        QTest::mouseMove(bar1(), thumb + QPoint(dx, 0));
    QTest::mouseRelease(bar1(), Qt::LeftButton, Qt::NoModifier, thumb + QPoint(12, 0));
    EXPECT_GT(model.frame.DriverDia, 7.0f);
    EXPECT_EQ(bar1()->value(), 0);
    EXPECT_EQ(model.dyn.UndoCount, 1);
    EXPECT_EQ(shown(model.dyn.undo[1].before), "7.000");
    EXPECT_EQ(model.dyn.undo[1].after, model.frame.DriverDia);
}

TEST_F(DynVarBarsTest, UndoTakesBackTheLastTwentyClicks) {
    for (int i = 0; i < 25; ++i)
        clickPart(bar1(), QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(shown(model.frame.DriverDia), "7.025");
    EXPECT_EQ(model.dyn.UndoCount, 20);

    // The undo switch shows the button under the variables and the line.
    EXPECT_FALSE(button("UnDoDn")->isVisible());
    action("SetUnDo")->trigger();
    window->tick();
    EXPECT_TRUE(button("UnDoDn")->isVisible());
    EXPECT_EQ(button("UnDoDn")->geometry(), QRect(280, 127, 40, 16));
    EXPECT_EQ(model.dyn.UndoLine, "20- Driver Dia  7.025 to  7.024");
    action("DynamicVariables")->trigger(); // variables off: the button moves up
    window->tick();
    EXPECT_EQ(button("UnDoDn")->y(), 72);

    for (int i = 0; i < 20; ++i)
        click("UnDoDn");
    // The five oldest clicks are beyond the store's depth.
    EXPECT_EQ(shown(model.frame.DriverDia), "7.005");
    EXPECT_EQ(model.dyn.UndoCount, 0);
    EXPECT_FALSE(button("UnDoDn")->isEnabled());
    for (bool enabled : model.dyn.undoEnabled)
        EXPECT_FALSE(enabled);
    window->tick();
    EXPECT_EQ(model.dyn.UndoLine, " 0-   0.000 to  0.000");
}

TEST_F(DynVarBarsTest, SwitchesShowTheBarsAndFollowTheScreenData) {
    for (const char* name : {"Panel7", "Panel8", "Panel9"})
        EXPECT_TRUE(window->findChild<QFrame*>(name)->isVisible()) << name;
    EXPECT_EQ(bar1()->geometry(), QRect(253, 72, 121, 10));
    EXPECT_EQ(bar("SBDynVar4")->geometry(), QRect(253, 108, 121, 10));
    EXPECT_EQ(bar("SBDynVar2")->toolTip(), "Change Next to Last Variable Clicked");

    // The tool button and the menu item share the switch.
    action("ToolDynamicVariables")->trigger();
    EXPECT_FALSE(model.dyn.DynVarsShown);
    EXPECT_FALSE(bar1()->isVisible());
    EXPECT_FALSE(window->findChild<QFrame*>("Panel7")->isVisible());
    action("ToolSetUnDo")->trigger();
    EXPECT_TRUE(model.dyn.UndoShown);

    action("DynamicVariables")->trigger();
    action("SetScreenData")->trigger();
    EXPECT_FALSE(model.dyn.DynVarsShown);
    EXPECT_FALSE(model.dyn.UndoShown);
    EXPECT_FALSE(bar1()->isVisible());
    EXPECT_FALSE(action("DynamicVariables")->isEnabled());
    EXPECT_FALSE(action("SetUnDo")->isEnabled());
    window->tick();
    EXPECT_FALSE(button("UnDoDn")->isVisible());

    action("SetScreenData")->trigger();
    EXPECT_TRUE(action("DynamicVariables")->isEnabled());
    EXPECT_TRUE(action("SetUnDo")->isEnabled());
    EXPECT_FALSE(bar1()->isVisible()); // until switched on again

    // Shown without a dimension bound, every bar is there but disabled.
    ClearDynVars(model);
    action("DynamicVariables")->trigger();
    window->tick();
    EXPECT_TRUE(bar1()->isVisible());
    EXPECT_FALSE(bar1()->isEnabled());
}

// A bar built for another window shares the jog memory and the undo store:
// the main window's bar 1 and this one step the same slot.
TEST_F(DynVarBarsTest, ABarOfAnotherWindowSharesTheSlot) {
    QWidget other;
    other.resize(200, 40);
    DynVarBar second(model, 1, &other);
    second.setGeometry(10, 10, 121, 10);
    int redraws = 0, ends = 0;
    second.setOnChanged([&] { ++redraws; });
    second.setOnScrollEnded([&] { ++ends; });
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    clickPart(&second, QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(shown(model.frame.DriverDia), "7.001");
    EXPECT_EQ(redraws, 1); // once per change, not again for the spring back
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(model.dyn.UndoCount, 1);
    clickPart(bar1(), QStyle::SC_ScrollBarSubLine);
    EXPECT_EQ(shown(model.frame.DriverDia), "7.000");
    EXPECT_EQ(model.dyn.UndoCount, 2);
}

// A press on a bar of an inactive window changes the value before the focus
// comes with the window's activation; that late focus must not retake the
// value the undo entry starts from.
TEST_F(DynVarBarsTest, PressOnAnInactiveWindowKeepsTheValueFoundAtThePress) {
    QWidget other;
    other.resize(100, 40);
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    activate(&other);
    ASSERT_FALSE(window->isActiveWindow());
    ASSERT_FALSE(bar1()->hasFocus());

    const QPoint arrow = partOf(bar1(), QStyle::SC_ScrollBarAddLine);
    QTest::mousePress(bar1(), Qt::LeftButton, Qt::NoModifier, arrow);
    EXPECT_EQ(shown(model.frame.DriverDia), "7.001");
    activate(window.get());
    ASSERT_TRUE(bar1()->hasFocus());
    QTest::mouseRelease(bar1(), Qt::LeftButton, Qt::NoModifier, arrow);

    EXPECT_EQ(model.dyn.UndoCount, 1);
    EXPECT_EQ(shown(model.dyn.undo[1].before), "7.000");
    EXPECT_EQ(shown(model.dyn.undo[1].after), "7.001");
    action("SetUnDo")->trigger();
    window->tick();
    click("UnDoDn");
    EXPECT_EQ(shown(model.frame.DriverDia), "7.000");
}
