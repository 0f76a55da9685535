#pragma once
// What the design-space tools (sensitivity, tolerances, sweeps) read off a
// gear's valve events, and how they hold a setting while the gear changes.
//
// A setting is held as its distance from the gear's own mid gear: a changed
// design is judged at its own mid gear plus the same distance (kept within
// its reverse arm's travel), so mid gear meets mid gear and a notch stays the
// same notch, as the comparison of two gears holds it.

#include "analysis/ValveEvents.h"
#include "analysis/ValveEventsText.h"

#include <array>
#include <string>
#include <vector>

namespace corvellan {

enum DesignFigure {
    CutOffFrontFigure,
    CutOffRearFigure,
    LeadFrontFigure,
    LeadRearFigure,
    ReleaseFrontFigure,
    ReleaseRearFigure,
    CompressionFrontFigure,
    CompressionRearFigure,
    ValveTravelFigure,
    CutOffDifferenceFigure,
    LeadDifferenceFigure,
    kDesignFigures
};

using DesignFigures = std::array<Figure, kDesignFigures>;

// The key of a figure in JSON and CSV: "CutOffFrontPct", "LeadFront", ...
const char* designFigureKey(int figure);
// As the windows name it: "Front cut-off %", "Front lead", ...
const char* designFigureCaption(int figure);
// A figure in percent of stroke (else a length).
bool isPercentFigure(int figure);
// The figure whose key is `key`, or -1.
int designFigureByKey(const std::string& key);

// The figures of one setting's events; absent where the events have none.
DesignFigures designFigures(const SettingEvents& s);

// The events of a setting can be judged: the gear assembles at every angle
// and each end has its one admission and cut-off.
bool judgeable(const SettingEvents& s);

// Settings as distances from mid gear: the given reverse-arm settings of
// `base`, each brought into its travel first.
std::vector<Ext> settingOffsets(const Model& base, const std::vector<Real>& settings);
// The reverse-arm setting of `design` at a distance from its own mid gear.
Real settingOf(const Model& design, Ext offset);

// The dimension as the dimension dialogs caption it: "Eccentric Crank Angle
// Deg", "Valve Length Rear Half", ...
const char* dimensionCaption(int code);
// The angle among the dimensions (degrees); every other one is a length.
bool isAngleDimension(int code);
// The place of a dimension in allDimensions(), or -1.
int dimensionIndex(int code);

} // namespace corvellan

namespace corvellan {

// The events of `design` at each distance from its mid gear (found first),
// with its pin joints' offsets where `wear` gives them. `out` keeps its
// storage between calls.
void computeDesignEvents(Model& design, const std::vector<Ext>& offsets,
                         std::vector<SettingEvents>& out, const JointOffsets* wear = nullptr);

} // namespace corvellan
