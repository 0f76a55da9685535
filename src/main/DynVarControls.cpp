#include "main/DynVarControls.h"

#include "main/CommandPlacement.h"
#include "main/Commands.h"
#include "main/Controls.h"
#include "main/DynVarBar.h"
#include "main/EditGlyphs.h"
#include "model/DynVars.h"
#include "view/MechanismView.h"

#include <QAction>
#include <QFrame>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>

namespace corvellan {

namespace {

constexpr int kBarLeft = 253;
constexpr int kBarTops[4] = {72, 84, 96, 108};
constexpr QSize kBarSize(121, 10);
constexpr int kUndoLeft = 280;

QFrame* makePanel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setGeometry(geometry);
    panel->hide();
    return panel;
}

} // namespace

DynVarControls::DynVarControls(Model& model, QMainWindow* window, QWidget* clientArea,
                               CommandBar& commands, QWidget* focusAway)
    : QObject(clientArea), m_(model) {
    for (int k = 1; k <= 4; ++k) {
        auto* bar = new DynVarBar(m_, k, clientArea);
        bar->setGeometry(QRect(QPoint(kBarLeft, kBarTops[k - 1]), kBarSize));
        bar->setToolTip(DynVarBar::mainWindowHint(k));
        bar->hide();
        bar->setOnScrollEnded([this, focusAway] {
            followUndoStore();
            if (focusAway) focusAway->setFocus(Qt::OtherFocusReason);
        });
        bars_[k - 1] = bar;
    }
    panel7_ = makePanel(clientArea, "Panel7", {247, 72, 4, 49});
    panel8_ = makePanel(clientArea, "Panel8", {247, 120, 292, 4});
    panel9_ = makePanel(clientArea, "Panel9", {539, 70, 0, 0});

    undo_ = makeButton(clientArea, "UnDoDn", "UnDo", {kUndoLeft, 127, 40, 16}, "");
    undo_->setFont(serifFont(13, true));
    undo_->hide();
    undo_->setEnabled(false);
    connect(undo_, &QPushButton::clicked, this, &DynVarControls::undoClicked);

    buildCommands(window, commands);
    commands.onScreenData([this](bool shown) { screenDataChanged(shown); });
}

void DynVarControls::buildCommands(QMainWindow* window, CommandBar& commands) {
    // Menu bar: after the pivot data, before the graphs and the help.
    QMenuBar* bar = window->menuBar();
    const auto followers = {"View1", "Help1", "Error"};
    dynItem_ = insertMenuBarItem(bar, "DynamicVariables", "D&ynamicVari", followers);
    undoItem_ = insertMenuBarItem(bar, "SetUnDo", "&UnDo", followers);
    connect(dynItem_, &QAction::triggered, this, &DynVarControls::toggleDynamicVariables);
    connect(undoItem_, &QAction::triggered, this, &DynVarControls::toggleUndo);

    // Tool bar: after the steam, reference-point, overlay and pivot-data
    // buttons, whichever exist; a separator follows the steam button.
    QToolBar* tools = commands.toolBar();
    const QList<QAction*> actions = tools->actions();
    QAction* after = nullptr;
    for (const char* name : {"ToolSetSteam", "ToolRefPoints", "ToolDrawLines", "ToolPivotData"})
        if (QAction* a = findNamedAction(actions, name)) after = a;
    const int at = after ? static_cast<int>(actions.indexOf(after)) + 1 : actions.size();
    QAction* before = at < actions.size() ? actions.at(at) : nullptr;
    if (after && after->objectName() == "ToolSetSteam") insertToolSeparator(tools, before);
    QAction* dynTool =
        insertToolButton(tools, "ToolDynamicVariables", editGlyph(EditGlyph::DynamicVariables),
                         "Turn On Dynamic Variables", before);
    QAction* undoTool =
        insertToolButton(tools, "ToolSetUnDo", editGlyph(EditGlyph::Undo), "Turn On UnDo", before);
    connect(dynTool, &QAction::triggered, this, &DynVarControls::toggleDynamicVariables);
    connect(undoTool, &QAction::triggered, this, &DynVarControls::toggleUndo);
}

void DynVarControls::toggleDynamicVariables() {
    setBarsShown(toggleDynVarsShown(m_));
}

void DynVarControls::toggleUndo() {
    toggleUndoShown(m_);
}

void DynVarControls::switchOff() {
    m_.dyn.DynVarsShown = false;
    setBarsShown(false);
    m_.dyn.UndoShown = false;
}

void DynVarControls::followSwitch() {
    setBarsShown(m_.dyn.DynVarsShown);
}

void DynVarControls::setBarsShown(bool shown) {
    for (DynVarBar* bar : bars_)
        bar->setVisible(shown);
    panel7_->setVisible(shown);
    panel8_->setVisible(shown);
    panel9_->setVisible(shown);
}

void DynVarControls::screenDataChanged(bool shown) {
    // The command bar has switched both displays off already.
    dynItem_->setEnabled(shown);
    undoItem_->setEnabled(shown);
    if (!shown) {
        setBarsShown(false);
    } else {
        // Only the empty panel returns with the screen data; the bars wait
        // for their own switch.
        panel9_->show();
    }
}

void DynVarControls::undoClicked() {
    undoButtonClicked(m_, UndoMain);
    followUndoStore();
}

void DynVarControls::followUndoStore() {
    undo_->setEnabled(m_.dyn.undoEnabled[UndoMain]);
}

void DynVarControls::applyWindowRequests(const WindowRequests& requests) {
    followUndoStore();
    if (undo_->y() != requests.undoButtonTop) undo_->move(kUndoLeft, requests.undoButtonTop);
    if (undo_->isHidden() == requests.undoButtonVisible)
        undo_->setVisible(requests.undoButtonVisible);
    for (int k = 1; k <= 4; ++k) {
        DynVarBar* bar = bars_[k - 1];
        if (bar->isEnabled() != requests.dynVarBarEnabled[k - 1])
            bar->setEnabled(requests.dynVarBarEnabled[k - 1]);
    }
}

} // namespace corvellan
