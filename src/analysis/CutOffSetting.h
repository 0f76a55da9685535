#pragma once
// A reverse-arm setting named by the cut-off a driver would quote: the
// setting at which, running in a given direction, the mean of the front and
// rear cut-off is a given percent of the stroke. Found by root-finding on the
// events (a safeguarded secant, falling back to bisection once the root is
// bracketed) along the distance from mid gear, between mid gear and full
// gear, since the cut-off grows as the gear is put towards full gear.

#include "analysis/ValveEvents.h"

namespace corvellan {

// The mean cut-off is found to within this many points of the target: a
// hundredth of the 0.01 % a driver's notch could be read to.
constexpr double kCutOffSettingTolerance = 1e-4;

struct CutOffSettingGuess {
    // Distance from mid gear (reverse-arm units) to try first, and the rate
    // of the mean cut-off with that distance (points per unit) there; 0
    // where unknown.
    Ext distance = 0;
    double slope = 0;
};

struct CutOffSettingResult {
    bool found = false;
    Real revArmPos = 0;
    Ext distance = 0;    // from mid gear, towards full gear in the direction
    double slope = 0;    // of the mean cut-off with the distance, near the root
    int evaluations = 0; // settings whose events were computed
};

// Mean of the two cut-offs, or absent where either end has none.
Figure meanCutOff(const SettingEvents& s);

// The setting of `m`'s current design (at its current mid gear) whose mean
// cut-off, running forward (true) or in reverse, is `targetPct`; `events`
// holds that setting's events when found. `scratch` is a copy of the design
// this call may change. Not found where even full gear falls short of the
// target or the gear just off mid gear already exceeds it.
CutOffSettingResult findCutOffSetting(Model& scratch, bool forward, double targetPct,
                                      const CutOffSettingGuess& guess, SettingEvents& events);

} // namespace corvellan
