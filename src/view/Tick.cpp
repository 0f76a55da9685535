#include "view/Tick.h"

#include "model/Solver.h"
#include "model/Valve.h"
#include "view/MechanismView.h"

namespace corvellan {

namespace {

void advanceAngle(GearState& g) {
    const Ext step = g.StepAngle;
    const Ext angle = g.DriverAngle;
    g.DriverAngle = clampToReal(g.Direction == "Fwd" ? angle + step : angle - step);
    // One wrap step on the stored angle: values from 360 to 360.1 stand for
    // one frame.
    if (g.DriverAngle > 360.1L) g.DriverAngle = clampToReal(g.DriverAngle - 360.0L);
    if (g.DriverAngle < 0) g.DriverAngle = clampToReal(g.DriverAngle + 360.0L);
}

} // namespace

void runTick(Model& m, FrameState& frame, Canvas& canvas, SoundSink& sound) {
    solve(m);
    computeValve(m);
    projectToScreen(m);
    computeSectionOutline(m, frame.section);
    computePistonValveOutline(m, frame.section);
    advanceAngle(m.gear);
    renderFrame(m, frame, canvas, sound);
}

} // namespace corvellan
