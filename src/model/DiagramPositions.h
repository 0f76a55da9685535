#pragma once
// The reverse-arm settings the sine, oval and steam diagrams plot, the count
// in use and the vertical scale: the arithmetic behind the "Set Reverse Arm
// Positions" dialog. The dialog widget forwards its keys and focus changes
// here and shows what the model holds.

#include "model/Model.h"

#include <array>
#include <string>

namespace corvellan {

constexpr int kMaxDiagramPositions = 9;
constexpr Real kMinVerticalScale = 0.1f;
// The drawings read the scale no higher than this: beyond it every mark,
// label and curve already lies within a few pixels of the zero line, and
// the mark loops would otherwise grow without bound.
constexpr Real kMaxDrawnVerticalScale = 1000.0f;

// Edit boxes of the dialog: 0 is the vertical scale, 1..9 the slots.
constexpr int kScaleBox = 0;

// Makes the slots contiguous from slot 1 (a slot after an empty one is
// emptied) and sets RevArmPosCount to the number of leading non-zero slots.
void refreshDiagramPositions(Model& m);

// Whether slot k's legend and edit box are shown after a refresh: slot 1
// always, slot k when slot k-1 is non-zero.
bool diagramSlotVisible(const Model& m, int slot);

// The key filter of box `box` holding `text`: digits, '-', '.' and
// backspace pass, a second '-' or '.' does not.
bool acceptDiagramPositionKey(const std::string& text, char key);
// The slot that a key press in `box` opens (slots 1..8 open the next one),
// or 0.
int slotOpenedByKey(int box);

// The text a refresh puts into box `box`: at least 5 characters, 3 decimals.
std::string diagramBoxText(const Model& m, int box);

// Focus leaves box `box` with `text`: read it (0 when empty or not a number)
// and store it under the dialog's rules.
void leaveDiagramPositionBox(Model& m, int box, const std::string& text);
// The stored value of a slot typed as `value`: slot 1 never 0, non-zero
// values clamped to RevArmCen +- RevArmToCentMax, slots 2..9 keep 0 as empty.
Real clampDiagramPosition(const Model& m, int slot, Ext value);

// "Max ", "Rev ", "Cent ", "Fwd ", "Min " with the reverse-arm limits, from
// the reverse side to the forward side.
std::array<std::string, 5> diagramLimitLegends(const Model& m);

// What the diagrams read: the count limited to 0..9, and the vertical scale
// limited to 0.1..1000 (NaN reads as 0.1).
int plottedPositionCount(const Model& m);
Real drawnVerticalScale(const Model& m);

} // namespace corvellan
