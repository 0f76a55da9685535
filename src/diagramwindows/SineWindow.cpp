#include "diagramwindows/SineWindow.h"

#include "diagrams/SineDiagram.h"
#include "view/MechanismView.h"

namespace corvellan {

namespace {

DiagramWindow::Layout sineLayout() {
    DiagramWindow::Layout l{};
    l.name = "TSineDia";
    l.height = 414;
    l.closeAt = QPoint(408, 8);
    l.barPrefix = "SBDynVarS";
    l.undoName = "UnDoDnS";
    l.undoWhich = UndoSine;
    l.undoRedraws = 2;
    l.usesPositions = true;
    l.initialState = Qt::WindowMaximized;
    // Maximised, but never beyond the old full screen.
    l.maxSize = QSize(640, 479);
    l.captions = {"&SetRevArmPos", "&ReDraw", "&UnDo", "&DymamicVariables"};
    l.kind = DiagramKind::Sine;
    return l;
}

} // namespace

TSineDia::TSineDia(Model& model, TSetRevArm* positions, DiagramWindowHooks hooks, QWidget* parent)
    : DiagramWindow(model, positions, std::move(hooks), sineLayout(), parent) {}

void TSineDia::paintDiagram(Canvas& c, bool erase) {
    if (erase) c.erase(colours::White);
    drawSineDiagram(model(), c);
}

const std::string& TSineDia::captionOf(const Captions& captions) const {
    return captions.sine;
}

} // namespace corvellan
