#include "diagramwindows/DiagramWindows.h"

#include "diagramwindows/OvalWindow.h"
#include "diagramwindows/PortWindow.h"
#include "diagramwindows/SetRevArmDialog.h"
#include "diagramwindows/SineWindow.h"
#include "diagramwindows/SteamWindow.h"

namespace corvellan {

DiagramWindows createDiagramWindows(Model& model, const DiagramWindowHooks& hooks,
                                    QWidget* parent) {
    DiagramWindows w;
    w.positions = new TSetRevArm(model, parent);
    w.oval = new TOvalDia(model, w.positions, hooks, parent);
    w.ports = new TPortDia(model, hooks, parent);
    w.sine = new TSineDia(model, w.positions, hooks, parent);
    w.steam = new TSteamDia(model, w.positions, hooks, parent);
    return w;
}

} // namespace corvellan
