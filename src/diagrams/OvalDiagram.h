#pragma once
// The oval diagram: valve displacement against piston position, one closed
// loop per plotted reverse-arm position over one revolution, on the sine
// diagram's vertical axis and port-edge levels.

#include "model/Model.h"
#include "view/Canvas.h"

#include <climits>

namespace corvellan {

// Draws the whole picture without erasing first; RevArmPos and DriverAngle
// are as before afterwards. 46 solves per plotted position.
void drawOvalDiagram(Model& m, Canvas& c);

// The loops alone, with their legend rows, at vertical scale `scale`: the
// part of the picture that a second gear draws over the first.
void drawOvalLoops(Model& m, Canvas& c, Real scale);

// Column of the piston at driver angle `degrees`: round(u * 270.5 + 314),
// u = +1 at front dead centre (x 584) and -1 at rear dead centre (x 44).
// Guards the stroke divisor and the square root as the solver does.
int ovalColumn(Model& m, Real degrees);
// What ovalColumn gives where the piston has no place (a gear that cannot be
// built): nothing is drawn there.
constexpr int kNoOvalColumn = INT_MIN;

} // namespace corvellan
