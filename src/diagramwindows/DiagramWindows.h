#pragma once
// The diagram windows and the positions dialog they share, created once by
// the main window and reused for the whole run.

#include "diagramwindows/DiagramWindow.h"

namespace corvellan {

class TOvalDia;
class TPortDia;
class TSetRevArm;
class TSineDia;
class TSteamDia;

struct DiagramWindows {
    TSetRevArm* positions = nullptr;
    TSineDia* sine = nullptr;
    TOvalDia* oval = nullptr;
    TSteamDia* steam = nullptr;
    TPortDia* ports = nullptr;
};

// Children of `parent`, which owns them.
DiagramWindows createDiagramWindows(Model& model, const DiagramWindowHooks& hooks, QWidget* parent);

} // namespace corvellan
