#pragma once
// Dynamic variables and the undo store.
//
// The last four dimensions the user left in a dimension dialog are bound to
// four jog bars (k = 1..4) shown in the main window and in every diagram
// window; each click on a bar nudges its dimension. Every change made through
// a dialog box or a bar is recorded in a 20-deep undo store. The windows only
// forward their events here and draw what `Model::dyn` holds.

#include "model/Model.h"

#include <string>

namespace corvellan {

// Range and steps of the dynamic-variable bars: an arrow click changes a
// length by 0.001 (an angle by 0.1 degree), a trough click by 0.010 (1 degree).
constexpr int kDynBarMin = -200;
constexpr int kDynBarMax = 200;
constexpr int kDynBarSmallStep = 1;
constexpr int kDynBarLargeStep = 10;
constexpr int kDynBarDivisor = 1000;
constexpr int kUndoDepth = 20;
constexpr std::size_t kDynNameLength = 25;

// Codes that may become dynamic variables: 1..12 and 101..122 (the two
// reverse-arm limits 13 and 14 never do).
bool isDynVarCode(int code);
// Whether slot k (0..4) holds no dimension; bar k is enabled exactly when not.
bool dynSlotEmpty(const Model& m, int k);

// A dialog box for `code` lost the focus: refresh the code's slot in place, or
// enter it as slot 1 and push the others down.
void RegisterDimension(Model& m, int code, Real value, const std::string& name);
// Empties all five slots.
void ClearDynVars(Model& m);
// Adds DynDelta to the dimension of slot ActiveDynSlot (x100 for the
// eccentric crank angle, which is then kept in [0, 360)) and empties the two
// cut-off readouts. Does nothing on an empty slot.
void ApplyDynVar(Model& m);

// Bar k (1..4) reported position P. The caller then sets the bar back to 0,
// which reports P = 0 once more (see JogBar.h).
void dynBarChanged(Model& m, int k, int position);
// Bar k received the keyboard focus: remember the value the drag starts from.
void dynBarFocused(Model& m, int k);
// A scroll action on bar k ended: record one undo entry for it. Moving the
// focus away from the bar (so the next use takes a fresh start value) is the
// window's job.
void dynBarScrollEnded(Model& m, int k);

// A dialog box for `code` is left. `before` is the dimension's value before
// the box's text was converted, `value` the converted number (already brought
// into range where the box does that). Stores it (harmless if the dialog
// already did), registers the dimension and, when a key was accepted
// (DimEdited), records one undo entry.
void commitDimensionEdit(Model& m, int code, Real before, Ext value, const std::string& label);

// Makes room for a new entry 1 (which repeats entry 0 until the caller fills
// it). Does nothing unless DimEdited is set.
void PushUndo(Model& m);
// Takes back the newest change.
void UndoStep(Model& m);
// Empties the store and disables every "UnDo" button.
void ClearUndo(Model& m);
// An "UnDo" button was clicked in window `which`.
void undoButtonClicked(Model& m, UndoButton which);

// The two display switches shared by all five windows; return the new state.
bool toggleDynVarsShown(Model& m);
bool toggleUndoShown(Model& m);

// The undo line drawn while the undo switch is on, e.g.
// " 1- Driver Dia  7.500 to  7.000".
std::string undoLine(const Model& m);

} // namespace corvellan
