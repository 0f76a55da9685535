#pragma once
// What a box of the frame and cylinder dimension dialogs does to the model:
// the text it shows, the keys it takes, the number its text yields, the commit
// when the box is left, and the dialogs' resets and close. The dialogs only
// forward their events here.

#include "model/Model.h"

#include <functional>
#include <string>

namespace corvellan {

// The text a box shows: 3 decimals, at least 5 characters ("7.000", "-1.500").
std::string dimensionBoxText(Real value);

enum class BoxKey { Refused, Accepted, Enter };
// The key filter of every dimension box: backspace, Enter, the digits, "-" and
// "."; a "-" or "." is refused while the text already holds one.
BoxKey dimensionBoxKey(char key, const std::string& text);

// Whether a key accepted by the box of `code` marks the change for undo
// (DimEdited). The reverse-arm limits (13, 14) never do.
bool boxKeyMarksEdit(int code);

// The number a box's text yields: the longest leading decimal number (an
// optional leading "-", digits, one "."), so "12-3" gives 12; text with no
// digits at its start ("", "-", ".", "-.") gives 0.
Ext dimensionBoxValue(const std::string& text);

struct BoxCommit {
    // The reverse-arm scroll bar must take the range in gear.RevArmScrollMin/Max.
    bool revArmRangeChanged = false;
};

// The box of `code` is left holding the number `value`. Codes 1..12 and
// 101..122: one undo entry when a key was accepted (DimEdited), the store with
// the code's side effects (the eccentric crank angle kept in [0, 360), the link
// pivot in pivots 8 and 9, pivot 4 following 102 and 109), and the dimension
// becomes (or stays) a dynamic variable. Code 13 is held at most at the
// largest distance and code 14 at least at the normal one, with the diagram
// positions pulled inside the new normal settings; code 14 also sets the
// reverse-arm scroll bar's range. Values beyond a 4-byte real are clamped.
BoxCommit commitDimensionBox(Model& m, int code, Ext value);

// The reset of the frame dialog without its clearing of undo: nominal frame
// dimensions, the reverse-arm scroll bar range (always changed), an empty
// list of dynamic variables.
BoxCommit resetFrameDimensions(Model& m);
// The reset of the cylinder dialog without its clearing of undo: nominal
// cylinder dimensions and an empty list of dynamic variables (frame ones too).
void resetCylinderDimensions(Model& m);

// The "Close" button of either dialog: mid gear, then `revArmScrollToZero`
// (the main window moves its reverse-arm scroll bar to 0, whose change handler
// puts RevArmPos at mid gear), then both cut-off readouts are emptied.
void closeDimensionDialog(Model& m, const std::function<void()>& revArmScrollToZero);

} // namespace corvellan
