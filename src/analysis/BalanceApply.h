#pragma once
// Applying a balance to the gear: each changed dimension is stored as its box
// in a dimension dialog stores it, so each records its own undo entry and
// becomes a dynamic variable, and pressing "UnDo" once per change gives the
// old design back.

#include "analysis/BalanceText.h"
#include "model/DimensionEdit.h"

#include <string>

namespace corvellan {

struct BalanceApplyCount {
    int changed = 0;   // dimensions whose value the balance changes
    int undoable = 0;  // of them, those the undo store records (not 13, 14)
    int undoSteps = 0; // "UnDo" presses that take back what can be: at most 20
};

BalanceApplyCount countBalanceApply(const BalanceReport& r);

// What pressing "UnDo" will do after Apply, in a sentence or two.
std::string balanceUndoNote(const BalanceReport& r);

// Stores the balanced values, one dialog commit per changed dimension in the
// order the report lists them. The caller then closes as a dimension dialog
// closes (mid gear, reverse-arm scroll bar at 0).
BoxCommit applyBalance(Model& m, const BalanceReport& r);

} // namespace corvellan
