#include "GuiTestSupport.h"

#include "main/MotionControls.h"

#include <QTest>

using namespace corvellan;
using namespace corvellan::test;

namespace {

struct Expected {
    const char* name;
    QRect geometry;
    const char* caption;
    bool enabled;
    const char* hint;
};

struct ExpectedBar {
    const char* name;
    QRect geometry;
    int min, max, small, large, position;
};

} // namespace

TEST_F(MainWindowTest, MotionControlsStartRunningForwardAtMidGear) {
    const Expected buttons[] = {
        {"Rev", {252, 25, 28, 14}, "Rev", true, "Set Reverse Arm to Normal Reverse"},
        {"Center", {280, 25, 27, 14}, "Cen", false, "Set Reverse Arm to Mid Gear"},
        {"Fwd", {307, 25, 28, 14}, "Fwd", true, "Set Reverse Arm to Normal Forward"},
        {"Deg180", {252, 39, 25, 14}, "180", true, "Set Driver Angle to 180 Deg"},
        {"Run", {277, 39, 36, 14}, "Stop", true, "Start / Stop Driver Rotation"},
        {"Deg00", {313, 39, 22, 14}, "0.0", true, "Set Driver to 0 Deg"},
        {"Step1", {252, 53, 25, 14}, "1.0", true, "Set Driver Step Angle to 1 Deg"},
        {"Step10", {277, 53, 29, 14}, "10.0", false, "Set Driver Step Angle to 10 Deg"},
        {"Step45", {306, 53, 29, 14}, "45.0", true, "Set Driver Step Angle to 45 Deg"},
    };
    for (const Expected& e : buttons) {
        QPushButton* b = button(e.name);
        EXPECT_EQ(b->geometry(), e.geometry) << e.name;
        EXPECT_EQ(b->text(), e.caption) << e.name;
        EXPECT_EQ(b->isEnabled(), e.enabled) << e.name;
        EXPECT_EQ(b->toolTip(), e.hint) << e.name;
        EXPECT_TRUE(b->isVisible()) << e.name;
    }
    const ExpectedBar bars[] = {
        {"SBRevArm", {336, 26, 121, 12}, -1700, 1700, 1, 20, 0},
        {"SBDrvAng", {336, 40, 121, 12}, -4000, 40000, 1000, 4500, 1},
        {"SBStepAng", {336, 54, 121, 12}, 0, 14613, 920, 2760, 12000},
    };
    for (const ExpectedBar& e : bars) {
        QScrollBar* b = bar(e.name);
        EXPECT_EQ(b->geometry(), e.geometry) << e.name;
        EXPECT_EQ(b->orientation(), Qt::Horizontal) << e.name;
        EXPECT_EQ(b->minimum(), e.min) << e.name;
        EXPECT_EQ(b->maximum(), e.max) << e.name;
        EXPECT_EQ(b->singleStep(), e.small) << e.name;
        EXPECT_EQ(b->pageStep(), e.large) << e.name;
        EXPECT_EQ(b->value(), e.position) << e.name;
    }
    EXPECT_FALSE(bar("SBDrvAng")->isEnabled()); // the motion runs
    EXPECT_EQ(model.gear.DriverAngle, 0.0f);
    EXPECT_EQ(model.gear.StepAngle, 10.0f);
    EXPECT_EQ(model.gear.Direction, "Fwd");
    EXPECT_EQ(model.gear.RevArmPos, model.gear.RevArmCen());
}

TEST_F(MainWindowTest, RunAndStopKeepTheChosenStep) {
    model.gear.DriverAngle = 123.456f;
    click("Run");
    EXPECT_EQ(button("Run")->text(), "Run");
    EXPECT_EQ(model.gear.StepAngle, 0.0f);
    EXPECT_EQ(bar("SBDrvAng")->value(), 12346);
    EXPECT_TRUE(bar("SBDrvAng")->isEnabled());
    EXPECT_FLOAT_EQ(model.gear.DriverAngle, 123.46f);

    // A stopped gear is still solved and drawn, but does not turn.
    window->tick();
    EXPECT_FLOAT_EQ(model.gear.DriverAngle, 123.46f);

    click("Step45");
    EXPECT_EQ(model.gear.StepAngle, 0.0f);
    EXPECT_EQ(model.gear.StepAngleSetting, 45.0f);
    click("Run");
    EXPECT_EQ(button("Run")->text(), "Stop");
    EXPECT_EQ(model.gear.StepAngle, 45.0f);
    EXPECT_FALSE(bar("SBDrvAng")->isEnabled());
    EXPECT_TRUE(button("Deg00")->isEnabled());
    EXPECT_TRUE(button("Deg180")->isEnabled());
}

TEST_F(MainWindowTest, ZeroAndHalfTurnButtonsStopTheDriver) {
    click("Deg180");
    EXPECT_EQ(model.gear.DriverAngle, 180.0f);
    EXPECT_EQ(bar("SBDrvAng")->value(), 18000);
    EXPECT_EQ(model.gear.StepAngle, 0.0f);
    EXPECT_EQ(button("Run")->text(), "Run");
    EXPECT_TRUE(bar("SBDrvAng")->isEnabled());
    EXPECT_FALSE(button("Deg180")->isEnabled());
    EXPECT_TRUE(button("Deg00")->isEnabled());

    click("Deg00");
    EXPECT_EQ(model.gear.DriverAngle, 0.0f);
    EXPECT_EQ(bar("SBDrvAng")->value(), 0);
    EXPECT_FALSE(button("Deg00")->isEnabled());
    EXPECT_TRUE(button("Deg180")->isEnabled());

    // Moving the driver bar makes both targets available again.
    bar("SBDrvAng")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(model.gear.DriverAngle, 10.0f);
    EXPECT_TRUE(button("Deg00")->isEnabled());
}

TEST_F(MainWindowTest, ReverseArmButtonsEnableEachOther) {
    click("Fwd");
    EXPECT_EQ(bar("SBRevArm")->value(), 1500);
    EXPECT_FLOAT_EQ(model.gear.RevArmPos, model.gear.RevArmCen() - 1.5f);
    EXPECT_EQ(model.gear.Direction, "Fwd");
    EXPECT_FALSE(button("Fwd")->isEnabled());
    EXPECT_TRUE(button("Rev")->isEnabled());
    EXPECT_TRUE(button("Center")->isEnabled());

    click("Rev");
    EXPECT_EQ(bar("SBRevArm")->value(), -1500);
    EXPECT_FLOAT_EQ(model.gear.RevArmPos, model.gear.RevArmCen() + 1.5f);
    EXPECT_EQ(model.gear.Direction, "Rev");
    EXPECT_FALSE(button("Rev")->isEnabled());
    EXPECT_TRUE(button("Fwd")->isEnabled());

    model.events.front.cutOffText = "25.0";
    click("Center");
    EXPECT_EQ(bar("SBRevArm")->value(), 0);
    EXPECT_EQ(model.gear.RevArmPos, model.gear.RevArmCen());
    EXPECT_EQ(model.gear.Direction, "Fwd");
    EXPECT_EQ(model.events.front.cutOffText, "");
    EXPECT_FALSE(button("Center")->isEnabled());
    EXPECT_TRUE(button("Fwd")->isEnabled() && button("Rev")->isEnabled());

    // One unit to the left of mid gear is the reverse side.
    bar("SBRevArm")->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(bar("SBRevArm")->value(), -1);
    EXPECT_FLOAT_EQ(model.gear.RevArmPos, model.gear.RevArmCen() + 0.001f);
    EXPECT_EQ(model.gear.Direction, "Rev");
    EXPECT_TRUE(button("Center")->isEnabled());
}

TEST_F(MainWindowTest, StepBarSnapsToTheLadder) {
    QScrollBar* steps = bar("SBStepAng");
    steps->setValue(12705); // as a drag to there would
    EXPECT_EQ(model.gear.StepAngleSetting, 20.0f);
    EXPECT_EQ(model.gear.StepAngle, 20.0f); // running: at once
    EXPECT_EQ(bar("SBDrvAng")->singleStep(), 2000);
    EXPECT_EQ(bar("SBDrvAng")->pageStep(), 4500);
    EXPECT_TRUE(button("Step10")->isEnabled());

    click("Run");
    steps->setValue(705);
    EXPECT_EQ(model.gear.StepAngleSetting, 0.02f);
    EXPECT_EQ(model.gear.StepAngle, 0.0f); // stopped: only the setting
    EXPECT_EQ(bar("SBDrvAng")->singleStep(), 2);
    EXPECT_EQ(bar("SBDrvAng")->pageStep(), 10);

    steps->setValue(14409);
    EXPECT_EQ(model.gear.StepAngleSetting, 45.0f);
    EXPECT_FALSE(button("Step45")->isEnabled());
    EXPECT_EQ(bar("SBDrvAng")->pageStep(), 4500);

    click("Step1");
    EXPECT_EQ(steps->value(), 8000);
    EXPECT_EQ(model.gear.StepAngleSetting, 1.0f);
    EXPECT_FALSE(button("Step1")->isEnabled());
    EXPECT_TRUE(button("Step45")->isEnabled());
    EXPECT_TRUE(button("Step10")->isEnabled());
    EXPECT_EQ(bar("SBDrvAng")->singleStep(), 100);
}

TEST_F(MainWindowTest, ActivatingTheWindowDisablesTheDriverBar) {
    click("Run");
    ASSERT_TRUE(bar("SBDrvAng")->isEnabled());
    window->motion().windowActivated();
    EXPECT_FALSE(bar("SBDrvAng")->isEnabled());
}
