#include "diagramwindows/PortWindow.h"

#include "diagrams/PortDiagram.h"
#include "view/MechanismView.h"

#include <QMenu>
#include <QMenuBar>

namespace corvellan {

namespace {

DiagramWindow::Layout portLayout() {
    DiagramWindow::Layout l{};
    l.name = "TPortDia";
    l.height = 414;
    l.closeAt = QPoint(447, 2);
    l.barPrefix = "SBDynVarP";
    l.undoName = "UnDoDnP";
    l.undoWhich = UndoPort;
    l.undoRedraws = 1;
    l.usesPositions = false;
    l.initialState = Qt::WindowNoState;
    l.captions = {"SetUp", "ReDraw", "&UnDo", "DynamicVari"};
    l.kind = DiagramKind::Ports;
    return l;
}

} // namespace

TPortDia::TPortDia(Model& model, DiagramWindowHooks hooks, QWidget* parent)
    : DiagramWindow(model, nullptr, std::move(hooks), portLayout(), parent) {
    auto* setUp = new QMenu("SetUp", this);
    setUp->setObjectName("SetUp");
    const struct {
        const char* name;
        char mode;
    } kGraphs[] = {{"ForwardGraph", 'F'}, {"ReverseGraph", 'R'}, {"BothGraphs", 'B'}};
    for (const auto& g : kGraphs) {
        QAction* action = setUp->addAction(g.name);
        action->setObjectName(g.name);
        const char mode = g.mode;
        connect(action, &QAction::triggered, this, [this, mode] { chooseGraph(mode); });
    }
    // "SetUp" leads the menu bar.
    menu()->insertMenu(menu()->actions().value(0), setUp);
}

int TPortDia::openForward() {
    model().diagrams.PortGraphMode = 'F';
    return exec();
}

void TPortDia::chooseGraph(char mode) {
    drawOnPicture([this, mode](Canvas& c) { choosePortGraph(model(), c, mode); });
}

void TPortDia::paintDiagram(Canvas& c, bool erase) {
    redrawPortDiagram(model(), c, erase);
}

const std::string& TPortDia::captionOf(const Captions& captions) const {
    return captions.ports;
}

} // namespace corvellan
