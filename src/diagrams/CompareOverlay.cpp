#include "diagrams/CompareOverlay.h"

#include "diagrams/DashedCanvas.h"
#include "diagrams/DiagramFrame.h"
#include "diagrams/OvalDiagram.h"
#include "diagrams/PortDiagram.h"
#include "diagrams/SineDiagram.h"
#include "diagrams/SteamDiagram.h"
#include "model/DiagramPositions.h"
#include "analysis/GearComparison.h"
#include "model/Solver.h"
#include "model/Valve.h"

#include <vector>

namespace corvellan {

namespace {

// Below the axis captions, at the right, clear of every diagram's texts.
constexpr int kLegendLineFrom = 415;
constexpr int kLegendLineTo = 443;
constexpr int kLegendTextX = 448;
constexpr int kLegendY = 382;

// B as it is drawn: a copy plotting A's positions moved to its own mid gear,
// on A's vertical scale, solved as the animation would have left it.
Model plottedCopy(const Model& a, const Model& b) {
    Model gear = b;
    const int count = plottedPositionCount(a);
    std::vector<Real> positions;
    for (int i = 1; i <= count; ++i)
        positions.push_back(a.gear.RevArmPositions[i]);
    const std::vector<Real> matched = matchingSettings(a, gear, positions);
    for (int slot = 1; slot <= kMaxDiagramPositions; ++slot)
        gear.gear.RevArmPositions[slot] =
            slot <= count ? matched[static_cast<size_t>(slot - 1)] : 0;
    gear.diagrams.RevArmPosCount = count;
    gear.diagrams.VerticalScale = a.diagrams.VerticalScale;
    gear.diagrams.PortGraphMode = a.diagrams.PortGraphMode;
    solve(gear);
    computeValve(gear);
    return gear;
}

// The name shortened with "..." to fit the picture's right edge.
std::string fittedName(const std::string& name, const TextStyle& font, const Canvas& c) {
    const int room = c.width() - kLegendTextX - 2;
    std::string text = "B: " + name;
    if (c.textWidth(text, font) <= room) return text;
    while (text.size() > 3 && c.textWidth(text + "...", font) > room)
        text.pop_back();
    return text + "...";
}

} // namespace

void drawComparisonLegend(const Model& b, Canvas& c) {
    DashedCanvas dashed(c, kGearBColour);
    dashed.setPen(kGearBColour, 1);
    dashed.line(kLegendLineFrom, kLegendY + 6, kLegendLineTo, kLegendY + 6);
    // On no white box: nothing of A's picture is blanked out.
    TextStyle font = diagramFont(kGearBColour);
    font.opaque = false;
    c.text(kLegendTextX, kLegendY, fittedName(b.DimSetName, font, c), font);
    c.setPen(colours::Black, 1);
}

void drawComparison(DiagramKind kind, const Model& a, const Model& b, Canvas& c) {
    Model gear = plottedCopy(a, b);
    DashedCanvas dashed(c, kGearBColour);
    dashed.setPen(kGearBColour, 1);
    const Real scale = drawnVerticalScale(a);
    switch (kind) {
    case DiagramKind::Sine:
        drawSineCurves(gear, dashed, scale);
        break;
    case DiagramKind::Oval:
        drawOvalLoops(gear, dashed, scale);
        break;
    case DiagramKind::Steam:
        drawSteamCurves(gear, dashed);
        break;
    case DiagramKind::Ports: {
        const char mode = a.diagrams.PortGraphMode;
        if (mode != 'R') drawPortCurves(gear, dashed, true);
        if (mode == 'R' || mode == 'B') drawPortCurves(gear, dashed, false);
        break;
    }
    }
    drawComparisonLegend(b, c);
}

} // namespace corvellan
