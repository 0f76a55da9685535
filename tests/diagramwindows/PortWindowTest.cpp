#include "DiagramWindowTestSupport.h"

#include "diagramwindows/PortWindow.h"
#include "main/DiagramCommands.h"
#include "model/DynVars.h"

#include <QAction>
#include <QMenu>
#include <QTest>

using namespace corvellan;
using namespace corvellan::test;

namespace {

// The legends of the two graphs: "Fwd." at (415, 290), "Rev." at (415, 321).
const QRect kForwardLegend(415, 290, 25, 11);
const QRect kReverseLegend(415, 321, 25, 11);

QAction* graphItem(TPortDia* ports, const char* name) {
    return ports->findChild<QMenu*>("SetUp")->findChild<QAction*>(name);
}

} // namespace

TEST_F(DiagramWindowTest, PortWindowDrawsOneOrBothGraphsAsChosen) {
    TPortDia* ports = windows().ports;
    model.diagrams.PortGraphMode = 'B'; // left from an earlier showing
    char modeOnOpening = 0;
    int fwdOnOpening = -1, revOnOpening = -1;
    int fwdBoth = -1, revBoth = -1, fwdRedraw = -1, revRedraw = -1;
    int fwdAfter = -1, revAfter = -1, fwdReverse = -1, revReverse = -1;
    whenModal(
        ports,
        [&] {
            modeOnOpening = model.diagrams.PortGraphMode;
            fwdOnOpening = inkIn(ports->picture(), kForwardLegend);
            revOnOpening = inkIn(ports->picture(), kReverseLegend);

            graphItem(ports, "BothGraphs")->trigger();
            EXPECT_EQ(model.diagrams.PortGraphMode, 'B');
            fwdBoth = inkIn(ports->picture(), kForwardLegend);
            revBoth = inkIn(ports->picture(), kReverseLegend);

            ports->findChild<QAction*>("ReDraw")->trigger();
            fwdRedraw = inkIn(ports->picture(), kForwardLegend);
            revRedraw = inkIn(ports->picture(), kReverseLegend);

            graphItem(ports, "ForwardGraph")->trigger();
            EXPECT_EQ(model.diagrams.PortGraphMode, 'F');
            fwdAfter = inkIn(ports->picture(), kForwardLegend);
            revAfter = inkIn(ports->picture(), kReverseLegend);

            graphItem(ports, "ReverseGraph")->trigger();
            EXPECT_EQ(model.diagrams.PortGraphMode, 'R');
            fwdReverse = inkIn(ports->picture(), kForwardLegend);
            revReverse = inkIn(ports->picture(), kReverseLegend);
            ports->close();
        },
        [&] { return inkIn(ports->picture(), QRect(0, 0, 632, 414)) > 0; });
    mainAction("FourEvents")->trigger();

    // "&PortOpenClose" starts with the forward graph.
    EXPECT_EQ(modeOnOpening, 'F');
    EXPECT_GT(fwdOnOpening, 0);
    EXPECT_EQ(revOnOpening, 0);
    // "BothGraphs" and "ReDraw" in its mode: the reverse graph over the forward one.
    EXPECT_GT(fwdBoth, 0);
    EXPECT_GT(revBoth, 0);
    EXPECT_GT(fwdRedraw, 0);
    EXPECT_GT(revRedraw, 0);
    // "ForwardGraph" afterwards leaves only the forward graph.
    EXPECT_GT(fwdAfter, 0);
    EXPECT_EQ(revAfter, 0);
    EXPECT_EQ(fwdReverse, 0);
    EXPECT_GT(revReverse, 0);
}

TEST_F(DiagramWindowTest, PortWindowStepsInBothGraphsModeRedrawBothGraphs) {
    TPortDia* ports = windows().ports;
    RegisterDimension(model, 6, model.frame.ValveRod, "Valve Rod");
    model.dyn.DynVarsShown = true;
    int revAfterStep = -1;
    whenModal(
        ports,
        [&] {
            graphItem(ports, "BothGraphs")->trigger();
            auto* bar = ports->dynBar(1);
            ASSERT_TRUE(bar->isVisible() && bar->isEnabled());
            // A click in the trough, left of the thumb.
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(30, bar->height() / 2));
            revAfterStep = inkIn(ports->picture(), kReverseLegend);
            ports->close();
        },
        [&] { return inkIn(ports->picture(), QRect(0, 0, 632, 414)) > 0; });
    const Real before = model.frame.ValveRod;
    mainAction("FourEvents")->trigger();
    EXPECT_NEAR(model.frame.ValveRod, before - 0.010f, 1e-5);
    EXPECT_EQ(model.diagrams.PortGraphMode, 'B');
    EXPECT_GT(revAfterStep, 0);
    EXPECT_EQ(model.dyn.UndoCount, 1);
}
