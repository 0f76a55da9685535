#pragma once
// The sine diagram: valve displacement against driver angle (x = 90 + angle,
// -32 to 496 degrees), one curve per plotted reverse-arm position, over the
// six port-edge levels, with the mid-gear lead, lap and clearance figures.

#include "model/Model.h"
#include "view/Canvas.h"

namespace corvellan {

// Draws the whole picture without erasing first; RevArmPos and DriverAngle
// are as before afterwards. 67 solves per plotted position.
void drawSineDiagram(Model& m, Canvas& c);

// The curves alone, with their legend rows, at vertical scale `scale`: the
// part of the picture that a second gear draws over the first.
void drawSineCurves(Model& m, Canvas& c, Real scale);

} // namespace corvellan
