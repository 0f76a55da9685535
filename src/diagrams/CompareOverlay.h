#pragma once
// A second gear (B) drawn over a diagram of the current gear (A), for
// comparing two designs: B's curves in a second colour and a dashed pen over
// A's picture, left as A drew it, and "B: <name>" beside the axis caption.

#include "model/Model.h"
#include "view/Canvas.h"

namespace corvellan {

enum class DiagramKind { Sine, Oval, Steam, Ports };

// B's colour in every diagram.
constexpr Rgb kGearBColour = colours::Fuchsia;

// Draws B over the diagram of `kind` that A has just drawn on `c`: the sine,
// oval and steam diagrams at A's plotted positions, each moved to the same
// distance from B's own mid gear, on A's vertical scale; the port diagram
// over B's own 19 settings in A's graph mode (forward, reverse or both).
// Only B's curves are drawn, not its labels or figures. Neither gear
// changes: B is turned on a copy.
void drawComparison(DiagramKind kind, const Model& a, const Model& b, Canvas& c);

// The legend line alone: a dashed sample and "B: <name>".
void drawComparisonLegend(const Model& b, Canvas& c);

} // namespace corvellan
