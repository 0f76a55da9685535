#pragma once
// The arithmetic behind the motion controls of the main window: how the
// reverse-arm, driver-angle and step-angle scroll bars map to the gear state,
// the ladder of step angles, and the clamping and key filtering of the three
// entry dialogs. The widgets only forward their events here.

#include "model/Model.h"

#include <string>

namespace corvellan {

// --- Reverse arm: one scroll unit is 0.001 length units; positive positions
// lie on the forward side (RevArmPos below RevArmCen).
Real revArmPosForScroll(const Model& m, int position);
int revArmScrollForPos(const Model& m, Ext revArmPos);
// Thumb positions of the normal forward and normal reverse settings for a bar
// whose current range is min..max.
int revArmScrollForNormalFwd(const Model& m, int max);
int revArmScrollForNormalRev(const Model& m, int min);
// The reverse-arm bar moved to `position`: RevArmPos, Direction and the
// emptied cut-off readouts.
void revArmScrolled(Model& m, int position);
// Whether the "Fwd" / "Rev" buttons may be pressed (the arm is not already at
// that normal setting; exact comparison).
bool revArmAwayFromNormalFwd(const Model& m);
bool revArmAwayFromNormalRev(const Model& m);
// A typed reverse-arm setting brought into the travel of the arm.
Ext clampRevArmEntry(const Model& m, Ext value);

// --- Driver angle: one scroll unit is 0.01 degree.
Real driverAngleForScroll(int position);
int driverScrollForAngle(Ext angle);
Ext clampDriverAngleEntry(Ext value); // [0, 360]

// --- Step angle: the bar position is 4000 x log10(step x 100).
int stepScrollForStep(Ext step);
Ext clampStepEntry(Ext value); // [0.01, 45]

// One rung of the step ladder: the step that a range of step-bar positions
// snaps to, with the arrow and trough steps it gives the driver-angle bar.
struct StepRung {
    int lastPosition; // the rung covers positions up to and including this one
    Real step;
    int driverSmallChange;
    int driverLargeChange;
};
StepRung stepRungAt(int position);
// The driver-angle bar's steps for a step typed in the step-angle dialog (no
// cap on the trough step, unlike the ladder).
int driverSmallChangeForStep(Ext step);
int driverLargeChangeForStep(Ext step);

// --- Graphic zoom of the dimension close-up.
Ext clampGraphicZoom(Ext value); // [0.5, 2000]

// --- Entry boxes. Whether the character `key` may be typed into an entry box
// holding `text`: digits, "." and, where allowed, "-"; a second "." or "-" is
// refused. Backspace (8) always passes.
bool entryKeyAccepted(char key, const std::string& text, bool allowMinus);
// The number an entry box holds; text that does not convert counts as 0.
Ext entryValue(const std::string& text);

} // namespace corvellan
