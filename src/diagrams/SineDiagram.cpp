#include "diagrams/SineDiagram.h"

#include "diagrams/DiagramFrame.h"
#include "diagrams/TravelAxis.h"
#include "model/DiagramPositions.h"
#include "model/Solver.h"

namespace corvellan {

namespace {

void drawAngleGrid(Canvas& c) {
    for (int r = 1; r <= 9; ++r) {
        for (int k = 6; k <= 58; ++k)
            c.line(10 * k, 32 * r + 53, 10 * k, 32 * r + 57);
        for (int k = 1; k <= 6; ++k)
            c.line(90 * k, 32 * r + 50, 90 * k, 32 * r + 60);
    }
}

void drawAngleAxisTexts(Canvas& c) {
    const TextStyle font = diagramFont();
    c.text(86, 353, "0", font);
    c.text(173, 353, "90", font);
    c.text(260, 353, "180", font);
    c.text(350, 353, "270", font);
    c.text(446, 353, "0", font);
    c.text(533, 353, "90", font);
    c.text(86, 367, "Driver Clockwise Rotation --->", font);
}

// One curve: 67 samples 8 degrees apart from 328 round to 136 (the first only
// seeds the first segment), labelled at its left end.
void drawCurve(Model& m, Canvas& c, int i, Real scale) {
    MidGearTrack track;
    const bool mid = nearMidGear(m);
    Ext previous = 0;
    for (int j = 7; j <= 73; ++j) {
        Real angle = static_cast<Real>(8 * j + 272);
        while (angle > 360)
            angle -= 360;
        m.gear.DriverAngle = angle;
        solve(m);
        const Ext v = m.lap.ValveCen;
        if (mid) track.sample(m.pivots.X[4]);
        if (j == 8 && plottable(previous))
            c.text(45, travelRow(previous, scale), formatFixed(i, 2, 0),
                   diagramFont(colours::Black, true));
        if (j > 7 && plottable(previous) && plottable(v))
            c.line(8 * (j - 1) + 2, travelRow(previous, scale), 8 * j + 2, travelRow(v, scale));
        previous = v;
    }
    if (mid) drawMidGearFigures(m, c, track);
}

} // namespace

void drawSineCurves(Model& m, Canvas& c, Real scale) {
    plotEachPosition(m, c, [&](int i) { drawCurve(m, c, i, scale); });
}

void drawSineDiagram(Model& m, Canvas& c) {
    const Real scale = drawnVerticalScale(m);
    c.setPen(colours::Black, 1);
    drawAngleGrid(c);
    drawAngleAxisTexts(c);
    drawTravelAxisTexts(c, scale);
    drawTravelScaleMarks(c, scale, 14);
    drawPositionsHeader(m, c);
    drawPortEdgeLevels(m, c, scale, 583, {{60, 60, 230, 230, 230, 60}});
    drawSineCurves(m, c, scale);
    drawDiagramHeader(m, c);
}

} // namespace corvellan
