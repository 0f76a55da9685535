#pragma once
// The steam diagram: a simulated indicator diagram. For each plotted
// reverse-arm position the engine runs a revolution and a half; the pressure
// of each cylinder end follows fixed rules from the port openings and the
// piston position, and the last revolution is drawn (front end green, rear
// end red) with each end's cut-off in percent.

#include "model/Model.h"
#include "view/Canvas.h"

namespace corvellan {

// Draws the whole picture without erasing first; RevArmPos and DriverAngle
// are as before afterwards. Leaves the shared previous-sample values (piston
// position, steam openings) at the last sample. 150 solves and valve
// computations per plotted position.
void drawSteamDiagram(Model& m, Canvas& c);

// The indicator curves alone, with their legend rows and cut-off figures:
// the part of the picture that a second gear draws over the first.
void drawSteamCurves(Model& m, Canvas& c);

} // namespace corvellan
