#include "DiagramWindowTestSupport.h"

#include "diagramwindows/OvalWindow.h"
#include "diagramwindows/PortWindow.h"
#include "diagramwindows/SetRevArmDialog.h"
#include "diagramwindows/SineWindow.h"
#include "diagramwindows/SteamWindow.h"
#include "main/Commands.h"
#include "main/DiagramCommands.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace corvellan;
using namespace corvellan::test;

namespace {

// Legend row i of the "Reverse Arm Positions" block: the number at x 545.
QRect positionLegendRow(int i) {
    return QRect(545, 12 * i + 12, 80, 11);
}

// Where the header block writes dynamic variable 1's value.
const QRect kDynValue1(363, 2, 40, 11);

// A mouse movement without buttons over `w`, as the pointer makes it.
void moveMouseOver(QWidget* w, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

// A window opened through the main window's menu is closed from inside; the
// positions dialog, where the window opens it, is closed first with "Close".
void openAndRun(QAction* opener, DiagramWindow* diagram, TSetRevArm* positions,
                std::function<void()> inPositions, std::function<void()> inDiagram) {
    if (positions) {
        whenModal(positions, [positions, inPositions] {
            if (inPositions) inPositions();
            positions->closeButton()->click();
        });
    }
    // The diagram is drawn once the positions dialog has closed.
    whenModal(
        diagram,
        [diagram, inDiagram] {
            if (inDiagram) inDiagram();
            diagram->close();
        },
        [diagram] { return inkIn(diagram->picture(), QRect(0, 0, 632, 414)) > 0; });
    opener->trigger();
}

} // namespace

TEST_F(DiagramWindowTest, EachWindowStopsTheAnimationAndItResumesWhereItStoodAfterClosing) {
    const struct {
        const char* menuItem;
        bool usesPositions;
    } kWindows[] = {
        {"SineDiag", true}, {"OvalDiag", true}, {"SteamDiag", true}, {"FourEvents", false}};
    for (const auto& w : kWindows) {
        SCOPED_TRACE(w.menuItem);
        for (int i = 0; i < 3; ++i)
            window->tick();
        model.gear.RevArmPos = -0.75f;
        const Real angle = model.gear.DriverAngle;
        // No tick may slip in between the window closing and the checks.
        window->timer()->setInterval(60000);
        window->timer()->start();

        DiagramWindow* diagram = nullptr;
        const DiagramWindows& d = windows();
        if (std::string(w.menuItem) == "SineDiag") diagram = d.sine;
        if (std::string(w.menuItem) == "OvalDiag") diagram = d.oval;
        if (std::string(w.menuItem) == "SteamDiag") diagram = d.steam;
        if (std::string(w.menuItem) == "FourEvents") diagram = d.ports;
        bool timerStoppedInPositions = !w.usesPositions;
        bool timerStoppedInDiagram = false;
        Real angleShown = -1, revArmShown = -1;
        openAndRun(
            mainAction(w.menuItem), diagram, w.usesPositions ? d.positions : nullptr,
            [&] { timerStoppedInPositions = !window->timer()->isActive(); },
            [&] {
                timerStoppedInDiagram = !window->timer()->isActive();
                angleShown = model.gear.DriverAngle;
                revArmShown = model.gear.RevArmPos;
            });
        EXPECT_TRUE(timerStoppedInPositions);
        EXPECT_TRUE(timerStoppedInDiagram);
        // The drawing swept the gear and put it back.
        EXPECT_EQ(angleShown, angle);
        EXPECT_EQ(revArmShown, -0.75f);
        EXPECT_TRUE(window->timer()->isActive());
        window->timer()->stop();
        EXPECT_EQ(model.gear.DriverAngle, angle);
        window->tick();
        EXPECT_EQ(model.gear.DriverAngle, angle + 10);
        EXPECT_EQ(model.gear.RevArmPos, -0.75f);
    }
}

TEST_F(DiagramWindowTest, DrawGraphsMenuAndToolButtonsOpenTheFourWindows) {
    QMenu* graphs = window->menuBar()->findChild<QMenu*>("View1");
    ASSERT_NE(graphs, nullptr);
    EXPECT_EQ(graphs->title(), "Draw&Graphs");
    QStringList captions;
    for (QAction* a : graphs->actions())
        captions << a->text();
    EXPECT_EQ(captions, QStringList({"&SineDiagram", "&OvalDiagram", "S&teamDiagram",
                                     "&PortOpenClose", "&Indicator Diagram", "P&erformance",
                                     "Valve Events", "Compare"}));
    // "Draw&Graphs" stands before "&Help" (where present) and the error item.
    const QList<QAction*> bar = window->menuBar()->actions();
    const int at = static_cast<int>(bar.indexOf(graphs->menuAction()));
    for (int i = at + 1; i < bar.size(); ++i) {
        const QString name = bar[i]->menu() ? bar[i]->menu()->objectName() : bar[i]->objectName();
        EXPECT_TRUE(name == "Help1" || name == "Error") << name.toStdString();
    }

    // The four diagram buttons follow a separator, the steam windows' after
    // them; the valve events button ends the tool bar.
    const QList<QAction*> tools = window->commands().toolBar()->actions();
    const QStringList hints = {"View Sine Diagram",
                               "View Oval Diagram",
                               "View Steam Diagram",
                               "View Port Events vs Reverse Arm Position",
                               "View Indicator Diagram",
                               "View Performance: MEP, Power and Steam Rate",
                               "View Valve Events"};
    const int first = static_cast<int>(tools.size() - hints.size());
    ASSERT_GE(first, 1);
    EXPECT_TRUE(tools[first - 1]->isSeparator());
    for (int i = 0; i < hints.size(); ++i)
        EXPECT_EQ(tools[first + i]->toolTip(), hints[i]);

    // The oval button opens the oval window.
    openAndRun(tools[first + 1], windows().oval, windows().positions, {}, {});
    EXPECT_FALSE(windows().oval->isVisible());
    EXPECT_TRUE(windows().oval->windowTitle().startsWith(
        "CORVELLAN Outside Admission      Oval Diagram    Nominal     "));
}

TEST_F(DiagramWindowTest, WindowsCarryTheirMenusAndControls) {
    // The picture commands follow the window's own.
    const char* kSave = "Save P&icture…";
    const char* kPrint = "&Print…";
    auto menuCaptions = [](DiagramWindow* w) {
        QStringList c;
        for (QAction* a : w->menu()->actions())
            c << a->text();
        return c;
    };
    EXPECT_EQ(menuCaptions(windows().sine),
              QStringList({"&SetRevArmPos", "&ReDraw", "&UnDo", "&DymamicVariables", kSave, kPrint}));
    EXPECT_EQ(menuCaptions(windows().steam),
              QStringList({"SetRevArmPos", "ReDraw", "&UnDo", "DynamicVari", kSave, kPrint}));
    EXPECT_EQ(menuCaptions(windows().ports),
              QStringList({"SetUp", "ReDraw", "&UnDo", "DynamicVari", kSave, kPrint}));
    DiagramWindow* oval = windows().oval;
    EXPECT_EQ(oval->undoButton()->objectName(), "UnDoDnO");
    for (int k = 1; k <= 4; ++k) {
        auto* bar = qobject_cast<QScrollBar*>(oval->dynBar(k));
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->objectName(), QString("SBDynVarO%1").arg(k));
        EXPECT_EQ(bar->minimum(), -200);
        EXPECT_EQ(bar->maximum(), 200);
        EXPECT_EQ(bar->pageStep(), 10);
        EXPECT_TRUE(bar->isHidden());
    }
    EXPECT_TRUE(oval->undoButton()->isHidden());
    EXPECT_FALSE(oval->undoButton()->isEnabled());
}

TEST_F(DiagramWindowTest, BarClickStepsTheDimensionRecordsUndoAndRedraws) {
    bindDriverDia();
    model.dyn.DynVarsShown = true;
    model.dyn.UndoShown = true;
    TSineDia* sine = windows().sine;
    int valueInkBefore = -1, valueInkAfter = -1;
    QImage before, after;
    openAndRun(mainAction("SineDiag"), sine, windows().positions, {}, [&] {
        auto* bar = qobject_cast<QScrollBar*>(sine->dynBar(1));
        ASSERT_TRUE(bar && bar->isVisible() && bar->isEnabled());
        EXPECT_FALSE(sine->dynBar(2)->isEnabled()); // no dimension bound
        before = sine->picture().copy();
        valueInkBefore = inkIn(before, kDynValue1);
        // The right arrow.
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 3, bar->height() / 2));
        after = sine->picture().copy();
        valueInkAfter = inkIn(after, kDynValue1);
        EXPECT_EQ(bar->value(), 0);
        EXPECT_TRUE(sine->closeButton()->hasFocus());
        EXPECT_TRUE(sine->undoButton()->isVisible());
        EXPECT_TRUE(sine->undoButton()->isEnabled());
    });
    EXPECT_FLOAT_EQ(model.frame.DriverDia, 7.001f);
    EXPECT_EQ(model.dyn.UndoCount, 1);
    EXPECT_EQ(model.dyn.undo[1].code, 1);
    EXPECT_FLOAT_EQ(model.dyn.undo[1].before, 7.0f);
    EXPECT_FLOAT_EQ(model.dyn.undo[1].after, 7.001f);
    // The header shows the new value: " 7.000" became " 7.001".
    EXPECT_GT(valueInkBefore, 0);
    EXPECT_NE(before.copy(kDynValue1), after.copy(kDynValue1));
    EXPECT_NE(valueInkAfter, 0);
}

TEST_F(DiagramWindowTest, UnDoButtonTakesTheStepBackAndEmptyStoreDisablesTheButtons) {
    bindDriverDia();
    model.dyn.DynVarsShown = true;
    model.dyn.UndoShown = true;
    TOvalDia* oval = windows().oval;
    bool disabledAfterwards = false;
    openAndRun(mainAction("OvalDiag"), oval, windows().positions, {}, [&] {
        auto* bar = qobject_cast<QScrollBar*>(oval->dynBar(1));
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 3, bar->height() / 2));
        ASSERT_FLOAT_EQ(model.frame.DriverDia, 7.001f);
        const QImage stepped = oval->picture().copy();
        QTest::mouseClick(oval->undoButton(), Qt::LeftButton);
        EXPECT_FLOAT_EQ(model.frame.DriverDia, 7.0f);
        EXPECT_NE(oval->picture().copy(kDynValue1), stepped.copy(kDynValue1));
        disabledAfterwards = !oval->undoButton()->isEnabled();
    });
    EXPECT_EQ(model.dyn.UndoCount, 0);
    EXPECT_TRUE(disabledAfterwards);
    EXPECT_FALSE(model.dyn.undoEnabled[UndoMain]);
}

TEST_F(DiagramWindowTest, UndoMenuTwiceReturnsToThePreviousDisplay) {
    TSteamDia* steam = windows().steam;
    bool shownFirst = false, hiddenSecond = false, drawnSecond = false;
    openAndRun(mainAction("SteamDiag"), steam, windows().positions, {}, [&] {
        QAction* undo = steam->findChild<QAction*>("UnDo");
        undo->trigger();
        shownFirst = model.dyn.UndoShown && steam->undoButton()->isVisible();
        undo->trigger();
        hiddenSecond = !model.dyn.UndoShown && steam->undoButton()->isHidden();
        // Cleared, then drawn again.
        drawnSecond = inkIn(steam->picture(), QRect(0, 0, 632, 414)) > 0;
    });
    EXPECT_TRUE(shownFirst);
    EXPECT_TRUE(hiddenSecond);
    EXPECT_TRUE(drawnSecond);
}

TEST_F(DiagramWindowTest, DynamicVariablesItemShowsTheBarsHereAndInTheMainWindow) {
    TSineDia* sine = windows().sine;
    QScrollBar* mainBar = window->findChild<QScrollBar*>("SBDynVar1");
    ASSERT_NE(mainBar, nullptr);
    bool barsShown = false, mainShown = false, bannerDrawn = false, barsHiddenAgain = false;
    openAndRun(mainAction("SineDiag"), sine, windows().positions, {}, [&] {
        sine->findChild<QAction*>("DynamicVari")->trigger();
        barsShown = sine->dynBar(1)->isVisible() && !sine->dynBar(1)->isEnabled();
        mainShown = !mainBar->isHidden();
        // No variable bound: the red banner at x 235.
        const QImage p = sine->picture();
        for (int y = 0; y < 40 && !bannerDrawn; ++y)
            for (int x = 235; x < 400 && !bannerDrawn; ++x)
                bannerDrawn = (p.pixel(x, y) & 0xFFFFFF) == 0xFF0000;
        sine->findChild<QAction*>("DynamicVari")->trigger();
        barsHiddenAgain = sine->dynBar(1)->isHidden() && mainBar->isHidden();
    });
    EXPECT_TRUE(barsShown);
    EXPECT_TRUE(mainShown);
    EXPECT_TRUE(bannerDrawn);
    EXPECT_TRUE(barsHiddenAgain);
    EXPECT_FALSE(model.dyn.DynVarsShown);
}

TEST_F(DiagramWindowTest, NewPositionShowsOnTheFirstMouseMovementAfterTheDialog) {
    TSineDia* sine = windows().sine;
    TSetRevArm* positions = windows().positions;
    int rowInkAfterDialog = -1, rowInkAfterMove = -1;
    bool flagLowered = false;
    openAndRun(mainAction("SineDiag"), sine, positions, {}, [&] {
        ASSERT_EQ(model.diagrams.RevArmPosCount, 3);
        whenModal(positions, [&] {
            QLineEdit* slot4 = positions->box(4);
            slot4->setFocus();
            slot4->selectAll();
            QTest::keyClicks(slot4, "0.5");
            positions->closeButton()->click();
        });
        sine->findChild<QAction*>("SetRevArmPos")->trigger();
        ASSERT_EQ(model.diagrams.RevArmPosCount, 4);
        ASSERT_TRUE(model.diagrams.RevArmDialogClosed);
        rowInkAfterDialog = inkIn(sine->picture(), positionLegendRow(4));
        moveMouseOver(sine->pictureArea(), QPoint(300, 200));
        rowInkAfterMove = inkIn(sine->picture(), positionLegendRow(4));
        moveMouseOver(sine->pictureArea(), QPoint(310, 210));
        flagLowered = !model.diagrams.RevArmDialogClosed;
    });
    EXPECT_EQ(rowInkAfterDialog, 0);
    EXPECT_GT(rowInkAfterMove, 0);
    EXPECT_TRUE(flagLowered);
    EXPECT_FLOAT_EQ(model.gear.RevArmPositions[4], 0.5f);
}

TEST_F(DiagramWindowTest, CoveredWindowShowsItsLastDrawingAgain) {
    TPortDia* ports = windows().ports;
    QImage first, second;
    openAndRun(mainAction("FourEvents"), ports, nullptr, {}, [&] {
        first = ports->pictureArea()->grab().toImage();
        // Another window over it and away again: the widget is painted anew.
        QWidget cover;
        cover.setGeometry(ports->geometry());
        cover.show();
        QApplication::processEvents();
        cover.hide();
        ports->pictureArea()->repaint();
        second = ports->pictureArea()->grab().toImage();
    });
    ASSERT_FALSE(first.isNull());
    EXPECT_GT(inkIn(first, QRect(0, 0, 632, 414)), 1000);
    EXPECT_EQ(first.convertToFormat(QImage::Format_RGB32),
              second.convertToFormat(QImage::Format_RGB32));
    // What is painted is the drawn picture (below the controls at the top).
    const QRect below(0, 80, 632, 334);
    EXPECT_EQ(first.convertToFormat(QImage::Format_RGB32).copy(below),
              ports->picture().copy(below));
}

// At the large text scale the legend and the header figures move right: each
// window grows with them, so every text lies inside the shown picture and
// none lies under "Close".
TEST_F(DiagramWindowTest, LargeTextScaleGrowsTheWindowsSoNoTextIsCutOrCovered) {
    bindDriverDia();
    model.dyn.DynVarsShown = true;
    model.display.setLargeText(true);
    const QFontMetrics fm(windows().sine->font());
    // Where the scaled texts stand: the legend's widest line and the value of
    // dynamic variable 1.
    const QRect legend(635, 0, fm.horizontalAdvance("Reverse Arm Positions"), 11);
    const QRect value(461, 2, fm.horizontalAdvance(" 7.000"), 11);
    const struct {
        const char* item;
        DiagramWindow* window;
        bool usesPositions;
    } kWindows[] = {{"SineDiag", windows().sine, true},
                    {"OvalDiag", windows().oval, true},
                    {"SteamDiag", windows().steam, true},
                    {"FourEvents", windows().ports, false}};
    for (const auto& w : kWindows) {
        SCOPED_TRACE(w.item);
        QRect shown, close;
        int legendInk = 0, valueInk = 0;
        openAndRun(mainAction(w.item), w.window, w.usesPositions ? windows().positions : nullptr,
                   {}, [&] {
                       shown = w.window->pictureArea()->rect();
                       close = w.window->closeButton()->geometry();
                       legendInk = inkIn(w.window->picture(), legend);
                       valueInk = inkIn(w.window->picture(), value);
                   });
        EXPECT_GT(valueInk, 0);
        EXPECT_TRUE(shown.contains(value)) << shown.width() << " x " << shown.height();
        EXPECT_FALSE(close.intersects(value));
        if (w.usesPositions) {
            EXPECT_GT(legendInk, 0);
            EXPECT_TRUE(shown.contains(legend)) << shown.width() << " x " << shown.height();
            EXPECT_FALSE(close.intersects(legend));
        }
    }
    // Back at the small scale the windows return to their own size.
    model.display.setLargeText(false);
    openAndRun(mainAction("FourEvents"), windows().ports, nullptr, {}, [&] {
        EXPECT_EQ(windows().ports->pictureArea()->size(), QSize(632, 414));
        EXPECT_EQ(windows().ports->closeButton()->geometry(), QRect(447, 2, 75, 25));
    });
}
