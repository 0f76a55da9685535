#pragma once
// Two gears side by side: the current gear A and a second, read-only gear B.
// Both are turned through matching reverse-arm settings and their valve
// events set against each other, with the dimensions whose values differ.
//
// Matching settings: a diagram position of A is taken on B at the same
// distance from B's own mid gear (so mid gear meets mid gear, and a notch
// towards forward gear stays one on B), brought into B's travel when it lies
// within A's. The sweep is each gear's own: mid gear and 10 % to 100 % of
// its own full travel.

#include "analysis/ValveEvents.h"

#include <optional>
#include <string>
#include <vector>

namespace corvellan {

struct DimensionDifference {
    const char* name = ""; // "EccCrankAngleDeg", as the dimension list names it
    Real a = 0;
    Real b = 0;
};

// The dimensions, of the 36 and in their order, whose values are not the
// same in both gears (a NaN is the same as a NaN of the same bits).
std::vector<DimensionDifference> differingDimensions(const Model& a, const Model& b);

// B's setting for each of A's settings: the same offset from mid gear.
std::vector<Real> matchingSettings(const Model& a, const Model& b,
                                   const std::vector<Real>& settingsOfA);

struct GearComparison {
    std::string nameA, nameB;
    EventsReport a, b; // setting k of one matches setting k of the other
    std::vector<DimensionDifference> dimensions;
};

// At A's settings as given and B's matching ones.
GearComparison compareGears(const Model& a, const Model& b, const std::vector<Real>& settingsOfA);
// At the 21-setting sweep of each.
GearComparison compareSweeps(const Model& a, const Model& b);

// One compared figure of a setting.
struct ComparedFigure {
    const char* name; // "Front cut-off %"
    int decimals;     // in the readable forms
    Figure a, b;
    // B - A where both exist.
    Figure difference() const {
        if (!a || !b) return std::nullopt;
        return *b - *a;
    }
};

// The figures a designer sets side by side, for setting k: reverse arm,
// valve travel, lead, admission, cut-off, release and compression of each
// end (piston percent), and the front-minus-rear differences.
std::vector<ComparedFigure> comparedFigures(const SettingEvents& a, const SettingEvents& b);

} // namespace corvellan
