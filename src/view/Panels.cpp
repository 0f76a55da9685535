#include "view/Panels.h"

#include "model/DynVars.h"
#include "model/Overlay.h"
#include "model/Valve.h"
#include "view/DrawHelpers.h"

namespace corvellan {

namespace {

void put(const Model& m, Canvas& c, int x, int y, const std::string& s,
         Rgb colour = colours::Black) {
    TextStyle t;
    t.colour = colour;
    c.text(textX(m, x), textY(m, y), s, t);
}

void drawFigures(const Model& m, Canvas& c) {
    const ValveQuantities& v = m.valve;
    put(m, c, 199, 25, "Pan Vert");
    put(m, c, 199, 39, "Pan Horz");
    put(m, c, 199, 53, "Zoom");
    put(m, c, 459, 25, "Rev Arm " + formatFigure(m.gear.RevArmPos, 6, 3) + "  ");
    put(m, c, 459, 39, "Driv Ang " + formatFigure(m.gear.DriverAngle, 6, 2) + "  ");
    put(m, c, 459, 53, "Step Ang" + formatFigure(m.gear.StepAngleSetting, 6, 2) + "  ");
    const Ext piston = static_cast<Ext>(v.PistonTravelPos) / 6.4L + 0.00001L;
    put(m, c, 545, 25, "Piston % " + formatFigure(piston, 6, 2) + "  ");
    put(m, c, 545, 37, "ValveCen" + formatFigure(m.lap.ValveCen, 7, 3) + "  ");
    put(m, c, 545, 49, "ValveFSt" + formatFigure(v.FrontSteamOpening, 7, 3) + "  ");
    put(m, c, 545, 61, "ValveFEx" + formatFigure(v.FrontExhaustOpening, 7, 3) + "  ");
    put(m, c, 545, 73, "ValveRSt" + formatFigure(v.RearSteamOpening, 7, 3) + "  ");
    put(m, c, 545, 85, "ValveREx" + formatFigure(v.RearExhaustOpening, 7, 3) + "  ");
    const Ext lever = static_cast<Ext>(m.ValveLeverAngle) / kDegToRad;
    put(m, c, 545, 97, "ValvLevA" + formatFigure(lever, 7, 2) + "  ");
}

// The "Error" menu item blinks and "Error.wav" sounds every 21 ticks while
// the geometry stays impossible.
void runErrorIndicator(Model& m, FrameState& f, SoundSink& sound) {
    ErrorState& e = m.error;
    if (!e.GeometryError) return;
    ++e.ErrorTicks;
    if (e.ErrorTicks < 10) f.window.errorItemVisible = true;
    if (e.ErrorTicks == 10) {
        f.window.errorItemVisible = false;
        sound.playError();
    }
    if (e.ErrorTicks > 20) {
        e.ErrorTicks = 0;
        e.GeometryError = false;
    }
}

void drawCutOffEnd(const Model& m, Canvas& c, int y, const char* label, EndState& end) {
    put(m, c, 545, y, label);
    if (end.holdCount <= 0) return;
    put(m, c, 600, y, end.cutOffText);
    --end.holdCount;
}

void drawCutOff(Model& m, Canvas& c) {
    detectCutOff(m);
    const Real step = m.gear.StepAngle;
    if (step == 0 || step >= 23) return;
    drawCutOffEnd(m, c, 109, "FrontCO% ", m.events.front);
    drawCutOffEnd(m, c, 121, "RearCO% ", m.events.rear);
}

void drawDynVarPanel(const Model& m, FrameState& f, Canvas& c) {
    for (int k = 1; k <= 4; ++k)
        f.window.dynVarBarEnabled[k - 1] = !dynSlotEmpty(m, k);
    if (!m.dyn.DynVarsShown) return;
    if (dynSlotEmpty(m, 1)) {
        const std::string stars(31, '*');
        put(m, c, 377, 71, stars, colours::Red);
        put(m, c, 377, 81, "* First Select Dimensions *", colours::Red);
        put(m, c, 377, 95, stars, colours::Red);
        return;
    }
    const int rows[] = {71, 83, 95, 107};
    for (int k = 1; k <= 4; ++k) {
        const DynVarSlot& slot = m.dyn.slots[k];
        put(m, c, 377, rows[k - 1], slot.name);
        put(m, c, 498, rows[k - 1], formatFigure(slot.value, 6, 3));
    }
}

void callHook(const std::function<void(Model&, Canvas&)>& hook, Model& m, Canvas& c) {
    if (hook) hook(m, c);
}

} // namespace

void drawOverlayItems(const Model& m, Canvas& c) {
    for (const OverlayShape& s : overlayShapes(m)) {
        c.setPen(s.colour, m.display.lineWidth);
        if (s.kind == OverlayKind::Circle)
            c.ellipse(s.left, s.top, s.right, s.bottom);
        else
            c.line(s.left, s.top, s.right, s.bottom);
    }
    c.setPen(colours::Black, m.display.lineWidth);
}

void drawUndoPanel(Model& m, FrameState& f, Canvas& c) {
    const bool shown = m.display.screenData && m.dyn.UndoShown;
    f.window.undoButtonVisible = shown;
    if (!shown) return;
    const bool below = m.dyn.DynVarsShown; // under the dynamic-variable rows
    m.dyn.UndoLine = undoLine(m);          // shared with the diagram headers
    put(m, c, 320, below ? 128 : 73, m.dyn.UndoLine);
    f.window.undoButtonTop = textY(m, below ? 127 : 72);
}

void drawScreenData(Model& m, FrameState& f, Canvas& c, SoundSink& sound) {
    drawFigures(m, c);
    runErrorIndicator(m, f, sound);
    callHook(f.panels.pivotData, m, c);
    callHook(f.panels.overlayPickPrompt, m, c);
    drawCutOff(m, c);
    callHook(f.panels.referencePoints, m, c);
    drawDynVarPanel(m, f, c);
}

} // namespace corvellan
