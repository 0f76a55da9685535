#include "diagrams/OvalDiagram.h"

#include "diagrams/DiagramFrame.h"
#include "diagrams/TravelAxis.h"
#include "model/DiagramPositions.h"
#include "model/Guards.h"
#include "model/Solver.h"
#include "model/Trig.h"

#include <cmath>

namespace corvellan {

int ovalColumn(Model& m, Real degrees) {
    const Ext theta = static_cast<Ext>(degrees) * kDegToRad;
    const Ext stroke = divGuard(m, m.frame.Stroke);
    const Ext rod = m.frame.MainRod;
    const Ext crankY = trig::sin(theta) * m.frame.Stroke / 2;
    // A main rod shorter than half the stroke cannot reach at some angles:
    // the radicand is repaired as the solver repairs its own.
    const Real work = sqrtGuard(m, clampToReal(rod * rod - crankY * crankY));
    const Ext u =
        trig::cos(theta) + 2 * std::sqrt(static_cast<Ext>(work)) / stroke - 2 * rod / stroke;
    return std::isfinite(u) ? roundToInt(u * 270.5L + 314) : kNoOvalColumn;
}

namespace {

void drawTravelFrame(Canvas& c) {
    drawPistonTravelGrid(c);
    c.line(44, 84, 44, 346);
    c.line(584, 84, 584, 346);
}

void drawOvalAxisTexts(Canvas& c) {
    const TextStyle font = diagramFont();
    drawPercentAxisTexts(c, 353);
    c.text(186, 367, "Percent Piston Travel", font);
    c.text(386, 367, "Forward End --->", font);
}

// One loop: 46 samples 8 degrees apart, the driver turning backwards from 32
// round to 32 again, labelled on both sides near mid-stroke.
void drawLoop(Model& m, Canvas& c, int i, Real scale) {
    MidGearTrack track;
    const bool mid = nearMidGear(m);
    const bool longValve = m.cyl.ValveLengthRearHalf > m.cyl.SteamPortWidthRear;
    const TextStyle bold = diagramFont(colours::Black, true);
    Ext previous = 0;
    Real previousAngle = 0;
    for (int j = 7; j <= 52; ++j) {
        Real angle = static_cast<Real>(88 - 8 * j);
        while (angle < 0)
            angle += 360;
        m.gear.DriverAngle = angle;
        solve(m);
        const Ext v = m.lap.ValveCen;
        if (mid) track.sample(m.pivots.X[4]);
        if (j == 22 && plottable(previous))
            c.text(300, travelRowFrom(longValve ? 204 : 213, previous, scale), formatFixed(i, 2, 0),
                   bold);
        if (j == 46 && plottable(previous))
            c.text(334, travelRowFrom(longValve ? 213 : 204, previous, scale), formatFixed(i, 2, 0),
                   bold);
        const int from = j > 7 ? ovalColumn(m, previousAngle) : kNoOvalColumn;
        const int to = j > 7 ? ovalColumn(m, angle) : kNoOvalColumn;
        if (from != kNoOvalColumn && to != kNoOvalColumn && plottable(previous) && plottable(v))
            c.line(from, travelRow(previous, scale), to, travelRow(v, scale));
        previous = v;
        previousAngle = angle;
    }
    if (mid) drawMidGearFigures(m, c, track);
}

} // namespace

void drawOvalLoops(Model& m, Canvas& c, Real scale) {
    plotEachPosition(m, c, [&](int i) { drawLoop(m, c, i, scale); });
}

void drawOvalDiagram(Model& m, Canvas& c) {
    const Real scale = drawnVerticalScale(m);
    c.setPen(colours::Black, 1);
    drawTravelFrame(c);
    drawOvalAxisTexts(c);
    drawTravelAxisTexts(c, scale);
    drawTravelScaleMarks(c, scale, 15);
    drawPositionsHeader(m, c);
    drawPortEdgeLevels(m, c, scale, 584, {{430, 430, 75, 75, 75, 430}});
    drawOvalLoops(m, c, scale);
    drawDiagramHeader(m, c);
}

} // namespace corvellan
