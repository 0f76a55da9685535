#include "diagramwindows/SteamWindow.h"

#include "diagrams/SteamDiagram.h"
#include "view/MechanismView.h"

namespace corvellan {

namespace {

DiagramWindow::Layout steamLayout() {
    DiagramWindow::Layout l{};
    l.name = "TSteamDia";
    l.height = 414;
    l.closeAt = QPoint(408, 8);
    l.barPrefix = "SBDynVarST";
    l.undoName = "UnDoDnSt";
    l.undoWhich = UndoSteam;
    l.undoRedraws = 1;
    l.usesPositions = true;
    // Shown at its own size: a modal window that opened minimised would
    // leave the program waiting on a window the user cannot see.
    l.initialState = Qt::WindowNoState;
    l.captions = {"SetRevArmPos", "ReDraw", "&UnDo", "DynamicVari"};
    l.kind = DiagramKind::Steam;
    return l;
}

} // namespace

TSteamDia::TSteamDia(Model& model, TSetRevArm* positions, DiagramWindowHooks hooks, QWidget* parent)
    : DiagramWindow(model, positions, std::move(hooks), steamLayout(), parent) {}

void TSteamDia::paintDiagram(Canvas& c, bool erase) {
    if (erase) c.erase(colours::White);
    drawSteamDiagram(model(), c);
}

const std::string& TSteamDia::captionOf(const Captions& captions) const {
    return captions.steam;
}

} // namespace corvellan
