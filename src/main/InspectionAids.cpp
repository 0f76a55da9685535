#include "main/InspectionAids.h"

#include "main/CommandPlacement.h"
#include "main/Commands.h"
#include "main/DataTableWindow.h"
#include "main/DrawLinesDialog.h"
#include "main/MouseInput.h"
#include "main/PivotDataControls.h"
#include "main/RefPntsDialog.h"
#include "main/RefPointControls.h"
#include "main/ToolGlyphs.h"
#include "model/LocalTime.h"
#include "view/MechanismView.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace corvellan {

InspectionAids::InspectionAids(Model& model, SoundSink& sound, FrameState& frame,
                               QMainWindow* window, QWidget* clientArea, CommandBar& commands)
    : QObject(window), m_(model) {
    refPnts_ = new TRefPnts(
        m_, [this] { refPoints_->sync(); }, window);
    drawLines_ = new TDrawLines(m_, sound, frame, window);
    dataTable_ = new TDataTable(
        m_,
        [&frame](std::string& date, std::string& time) {
            if (frame.clock)
                frame.clock(date, time);
            else
                localDateTime(date, time);
        },
        window);

    refPoints_ = new RefPointControls(m_, clientArea, frame);
    pivotData_ =
        new PivotDataControls(m_, clientArea, frame, *refPoints_, [this] { dataTable_->exec(); });
    mouse_ = new MouseInput(m_, frame, clientArea, *refPoints_, [this] { drawLines_->exec(); });

    installCommands(window, commands);
    commands.onScreenData([this](bool shown) { refPoints_->setScreenData(shown); });
    refPoints_->sync();
}

void InspectionAids::installCommands(QMainWindow* window, CommandBar& commands) {
    auto on = [this](QAction* action, auto run) {
        connect(action, &QAction::triggered, this, run);
    };

    // "&SetUp": "SetRef&Points" closes the group of entry dialogs.
    if (auto* setUp = window->findChild<QMenu*>("SetUp")) {
        const QList<QAction*> items = setUp->actions();
        QAction* step = findNamedAction(items, "StepAng1");
        const int at = step ? static_cast<int>(items.indexOf(step)) + 1 : 0;
        QAction* before = step && at < items.size() ? items[at] : nullptr;
        on(insertMenuItem(setUp, "RefPoints1", "SetRef&Points", before),
           [this] { refPnts_->exec(); });
    }

    // Menu-bar items that act themselves, between "&EditDimen" and "D&ynamicVari".
    QMenuBar* bar = window->menuBar();
    on(insertMenuBarItem(bar, "RefPoints", "&ReferPoints",
                         {"DrawLines1", "SetPivotData", "DynamicVariables", "SetUnDo", "View1",
                          "Help1", "Error"}),
       [this] { refPoints_->toggleMode(); });
    on(insertMenuBarItem(
           bar, "DrawLines1", "&DrawLinesCircles",
           {"SetPivotData", "DynamicVariables", "SetUnDo", "View1", "Help1", "Error"}),
       [this] { drawLines_->openFromMenu(); });
    on(insertMenuBarItem(bar, "SetPivotData", "Pi&votData",
                         {"DynamicVariables", "SetUnDo", "View1", "Help1", "Error"}),
       [this] { pivotData_->toggleMode(); });

    // Tool bar: after the steam display's group, in a group of their own
    // that the dynamic variables and undo close.
    QToolBar* tools = commands.toolBar();
    const QList<QAction*> buttons = tools->actions();
    QAction* steam = findNamedAction(buttons, "ToolSetSteam");
    const int next = steam ? static_cast<int>(buttons.indexOf(steam)) + 1 : buttons.size();
    QAction* before = next < buttons.size() ? buttons[next] : nullptr;
    if (before && before->isSeparator()) {
        before = next + 1 < buttons.size() ? buttons[next + 1] : nullptr;
    } else {
        insertToolSeparator(tools, before);
    }
    on(insertToolButton(tools, "ToolRefPoints", glyph(Glyph::RefPoints), "Turn On Reference Points",
                        before),
       [this] { refPoints_->toggleMode(); });
    on(insertToolButton(tools, "ToolDrawLines", glyph(Glyph::DrawLines), "Draw Lines and Circles",
                        before),
       [this] { drawLines_->openFromMenu(); });
    on(insertToolButton(tools, "ToolPivotData", glyph(Glyph::PivotData), QString(), before),
       [this] { pivotData_->toggleMode(); });
}

void InspectionAids::refillOverlayRows() {
    drawLines_->linesDataClick();
}

void InspectionAids::afterTick(const FrameState& frame) {
    dataTable_->showCaption(frame.captions.dataTable);
}

} // namespace corvellan
