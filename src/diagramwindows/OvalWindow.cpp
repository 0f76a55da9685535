#include "diagramwindows/OvalWindow.h"

#include "diagrams/OvalDiagram.h"
#include "view/MechanismView.h"

namespace corvellan {

namespace {

DiagramWindow::Layout ovalLayout() {
    DiagramWindow::Layout l{};
    l.name = "TOvalDia";
    l.height = 426;
    l.closeAt = QPoint(408, 8);
    l.barPrefix = "SBDynVarO";
    l.undoName = "UnDoDnO";
    l.undoWhich = UndoOval;
    l.undoRedraws = 2;
    l.usesPositions = true;
    l.initialState = Qt::WindowMaximized;
    l.captions = {"SetRevArmPos", "ReDraw", "&UnDo", "DynamicVari"};
    l.kind = DiagramKind::Oval;
    return l;
}

} // namespace

TOvalDia::TOvalDia(Model& model, TSetRevArm* positions, DiagramWindowHooks hooks, QWidget* parent)
    : DiagramWindow(model, positions, std::move(hooks), ovalLayout(), parent) {}

void TOvalDia::paintDiagram(Canvas& c, bool erase) {
    if (erase) c.erase(colours::White);
    drawOvalDiagram(model(), c);
}

const std::string& TOvalDia::captionOf(const Captions& captions) const {
    return captions.oval;
}

} // namespace corvellan
