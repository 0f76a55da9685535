#pragma once
// One animation tick: solve, valve computation, projection, outlines, advance
// the driver angle, render the mechanism frame (which runs the per-frame valve
// logic and the error indicator).

#include "model/Model.h"
#include "model/SoundSink.h"
#include "view/Canvas.h"

namespace corvellan {

struct FrameState; // defined in view/MechanismView.h: per-frame transient state
                   // (outlines, error-indicator visibility, captions, random
                   // generator of the steam dots, close-up progress ...)

void runTick(Model& m, FrameState& frame, Canvas& canvas, SoundSink& sound);

} // namespace corvellan
