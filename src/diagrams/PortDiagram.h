#pragma once
// The port events diagram: for 19 reverse-arm settings from mid gear out to
// the largest setting on one side, where in the stroke each port edge opens
// and closes, joined from setting to setting into eight curves, with the
// front end's phases annotated across the upper part.

#include "model/Model.h"
#include "view/Canvas.h"

namespace corvellan {

// One graph in the current PortGraphMode ('F' forward, anything else
// reverse), without erasing first; RevArmPos and DriverAngle are as before
// afterwards, the shared previous-sample values are left at the last sample.
// Ends with the phase annotation while PortPhaseArrows is on.
void drawPortDiagram(Model& m, Canvas& c);

// The event curves of one graph alone, with the settings' texts: the part
// of the picture that a second gear draws over the first.
void drawPortCurves(Model& m, Canvas& c, bool forward);

// The both-graphs sequence: erase, forward graph, then the reverse graph
// over it without the annotation; the mode is 'B' afterwards.
void drawPortBothGraphs(Model& m, Canvas& c);

// A redraw in the current mode: the both-graphs sequence in mode 'B',
// otherwise one graph, erasing first when `erase` is set.
void redrawPortDiagram(Model& m, Canvas& c, bool erase);

// The "SetUp" menu: 'F' and 'R' set the mode, erase and draw; 'B' runs the
// both-graphs sequence.
void choosePortGraph(Model& m, Canvas& c, char mode);

} // namespace corvellan
