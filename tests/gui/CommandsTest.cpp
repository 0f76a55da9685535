#include "GuiTestSupport.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

using namespace corvellan;
using namespace corvellan::test;

namespace {

QStringList captions(QMenu* menu) {
    QStringList texts;
    for (QAction* a : menu->actions())
        texts << (a->isSeparator() ? "-" : a->text());
    return texts;
}

} // namespace

TEST_F(MainWindowTest, MenusHoldTheCommandsInTheirOrder) {
    QMenuBar* bar = window->menuBar();
    QStringList top;
    for (QAction* a : bar->actions())
        top << a->text();
    EXPECT_EQ(top.join("|").toStdString(),
              "&File|&SetUp|&EditDimen|&ReferPoints|&DrawLinesCircles|Pi&votData|D&ynamicVari|"
              "&UnDo|Draw&Graphs|&Help|");
    EXPECT_EQ(captions(window->findChild<QMenu*>("File1")).join("|").toStdString(),
              "&OpenDimensions|Open&DosDimensions|Save&AsDimensions|-|Compare With…|"
              "Stop Comparing|-|Save P&icture…|&Print…|-|E&xit");
    EXPECT_EQ(captions(window->findChild<QMenu*>("SetUp")).join("|").toStdString(),
              "Set&RevArmPos|Set&DriverAng|Set&StepAng|SetRef&Points|-|SetLarge&Font|"
              "&CalcCentRevArm|SetS&teamDisp On|Set&ErrorBeep Off|Set&LineWidth 2|"
              "SetScree&nData Off|SetP&anZoom On|Operating &Conditions\u2026|Pivot Paths");
    EXPECT_EQ(captions(window->findChild<QMenu*>("Edit1")).join("|").toStdString(),
              "&FrameDimensions|&CylinderDimensions|&Balance\u2026|&Sensitivity\u2026|"
              "&Tolerances\u2026|S&weep\u2026|-|Set&GraphicZoom|-|&ResetAllDimensions");
    EXPECT_EQ(captions(window->findChild<QMenu*>("Help1")).join("|").toStdString(),
              "&Instructions|Instructions&Special|-|&About");
    EXPECT_FALSE(action("SetPanZoom")->isEnabled());
    QAction* error = action("Error");
    EXPECT_FALSE(error->isVisible());
    EXPECT_FALSE(error->icon().isNull());
    EXPECT_TRUE(error->text().isEmpty());
}

TEST_F(MainWindowTest, ToolBarLiesAcrossTheTopOfTheClientArea) {
    QToolBar* tools = window->commands().toolBar();
    EXPECT_EQ(tools->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(tools->height(), 24);
    EXPECT_EQ(tools->width(), window->centralWidget()->width());
    QStringList hints;
    for (QAction* a : tools->actions())
        hints << (a->isSeparator() ? "-" : a->toolTip());
    EXPECT_EQ(hints.join("|").toStdString(),
              "Open File: Dimensional Data|Save As: Dimensional Data|-|"
              "Change Frame Dimensions|Change Cylinder Dimensions|-|"
              "Set Driver Angle to Desired Position|Set Step Angle to Desired Amount|"
              "Set Reverse Arm to Desired Position|-|Calculate Mid Gear Position if Necessary|-|"
              "Turn On Steam Display and Sound|-|Turn On Reference Points|Draw Lines and Circles||"
              "Turn On Dynamic Variables|Turn On UnDo|-|View Sine Diagram|View Oval Diagram|"
              "View Steam Diagram|View Port Events vs Reverse Arm Position|View Indicator Diagram|"
              "View Performance: MEP, Power and Steam Rate|View Valve Events");
    for (QAction* a : tools->actions()) {
        if (!a->isSeparator()) {
            EXPECT_EQ(tools->widgetForAction(a)->width(), 30);
        }
    }
}

TEST_F(MainWindowTest, DisplayTogglesNameTheirNextAction) {
    action("SetLineWidth")->trigger();
    EXPECT_EQ(model.display.lineWidth, 2);
    EXPECT_EQ(action("SetLineWidth")->text(), "Set&LineWidth 1");
    action("SetLineWidth")->trigger();
    EXPECT_EQ(model.display.lineWidth, 1);
    EXPECT_EQ(action("SetLineWidth")->text(), "Set&LineWidth 2");

    action("LargeFont")->trigger();
    EXPECT_EQ(model.display.textScaleH, 1.27f);
    EXPECT_EQ(model.display.textScaleV, 1.22f);
    EXPECT_EQ(action("LargeFont")->text(), "SetSmall&Font");
    action("LargeFont")->trigger();
    EXPECT_EQ(model.display.textScaleH, 1.0f);
    EXPECT_EQ(action("LargeFont")->text(), "SetLarge&Font");

    action("SetBeepOnError")->trigger();
    EXPECT_FALSE(model.error.ErrorBeep);
    EXPECT_EQ(action("SetBeepOnError")->text(), "Set&ErrorBeep On");

    // The tool bar button and the menu item share the steam display.
    action("ToolSetSteam")->trigger();
    EXPECT_TRUE(model.display.steamDisplay);
    EXPECT_EQ(action("SetSteam")->text(), "SetS&teamDisp Off");
    action("SetSteam")->trigger();
    EXPECT_FALSE(model.display.steamDisplay);
    EXPECT_EQ(action("SetSteam")->text(), "SetS&teamDisp On");
}

TEST_F(MainWindowTest, ScreenDataOffLeavesThePictureAlone) {
    model.dyn.DynVarsShown = true;
    model.dyn.UndoShown = true;
    action("SetScreenData")->trigger();
    EXPECT_FALSE(model.display.screenData);
    EXPECT_EQ(action("SetScreenData")->text(), "SetScree&nData On");
    for (const char* name : {"Rev", "Center", "Fwd", "Deg180", "Run", "Deg00", "Step1", "Step10",
                             "Step45", "NormVHZ", "Preset0", "Preset1", "Preset6"})
        EXPECT_FALSE(button(name)->isVisible()) << name;
    for (const char* name :
         {"SBRevArm", "SBDrvAng", "SBStepAng", "SBPanVert", "SBPanHorz", "SBZoom"})
        EXPECT_FALSE(bar(name)->isVisible()) << name;
    EXPECT_FALSE(window->commands().toolBar()->isVisible());
    EXPECT_FALSE(action("DriverAng")->isEnabled());
    EXPECT_FALSE(action("FindRevArmCent")->isEnabled());
    EXPECT_TRUE(action("SetPanZoom")->isEnabled());
    EXPECT_FALSE(model.dyn.DynVarsShown);
    EXPECT_FALSE(model.dyn.UndoShown);

    // Pan and zoom alone may come back.
    action("SetPanZoom")->trigger();
    EXPECT_EQ(action("SetPanZoom")->text(), "SetP&anZoom Off");
    EXPECT_TRUE(bar("SBZoom")->isVisible());
    EXPECT_FALSE(button("NormVHZ")->isVisible());
    action("SetPanZoom")->trigger();
    EXPECT_EQ(action("SetPanZoom")->text(), "SetP&anZoom On");
    EXPECT_FALSE(bar("SBZoom")->isVisible());

    action("SetScreenData")->trigger();
    EXPECT_TRUE(model.display.screenData);
    EXPECT_EQ(action("SetScreenData")->text(), "SetScree&nData Off");
    EXPECT_FALSE(action("SetPanZoom")->isEnabled());
    EXPECT_EQ(action("SetPanZoom")->text(), "Set&PanZoom On");
    EXPECT_TRUE(button("Run")->isVisible());
    EXPECT_TRUE(bar("SBPanVert")->isVisible());
    EXPECT_TRUE(window->commands().toolBar()->isVisible());
    EXPECT_TRUE(action("DriverAng")->isEnabled());
    EXPECT_FALSE(model.dyn.DynVarsShown); // stays off
}

TEST_F(MainWindowTest, MidGearCommandReturnsTheArmToMidGear) {
    click("Fwd");
    model.pivots.X[8] = model.pivots.X[9] = 0.5f; // link pivot moved
    action("FindRevArmCent")->trigger();
    EXPECT_NEAR(model.gear.RevArmCen(), 0.5 + 0.5 * 2.0 / std::hypot(0.5, 3.155) + 0.00001, 1e-6);
    EXPECT_EQ(model.gear.RevArmPos, model.gear.RevArmCen());
    EXPECT_EQ(bar("SBRevArm")->value(), 0);
    EXPECT_FALSE(button("Center")->isEnabled());
}
