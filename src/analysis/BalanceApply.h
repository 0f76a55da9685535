#pragma once
// Applying a balance to the gear: each changed dimension is stored as its box
// in a dimension dialog stores it, so each records its own undo entry and
// becomes a dynamic variable, and pressing "UnDo" once per change gives the
// old design back: the last of those presses also brings back mid gear, the
// diagram positions and the reverse-arm setting as they were.

#include "analysis/BalanceText.h"
#include "model/DimensionEdit.h"

#include <array>
#include <string>
#include <vector>

namespace corvellan {

struct BalanceApplyCount {
    int changed = 0;   // dimensions whose value the balance changes
    int undoable = 0;  // of them, those the undo store records (not 13, 14)
    int undoSteps = 0; // "UnDo" presses that take back what can be: at most 20
};

BalanceApplyCount countBalanceApply(const BalanceReport& r);

// What pressing "UnDo" will do after Apply, in a sentence or two.
std::string balanceUndoNote(const BalanceReport& r);

// What the undo of single dimensions cannot give back: mid gear, the diagram
// positions and the reverse-arm setting of the design before a balance was
// applied. Armed by Apply; once undoing has brought every dimension back to
// that design, those positions come back too, and it is spent.
class BalanceRestore {
  public:
    void arm(const Model& m);
    bool armed() const { return armed_; }
    // After an undo step: gives the positions back where every dimension is
    // as it was, and forgets them; false (nothing done) otherwise.
    bool restoreIfBack(Model& m);

  private:
    bool armed_ = false;
    std::vector<Real> dimensions_; // allDimensions() order
    std::array<Real, 10> revArmPositions_{};
    Real revArmPos_ = 0;
};

// Stores the balanced values, one dialog commit per changed dimension in the
// order the report lists them. The caller then closes as a dimension dialog
// closes (mid gear, reverse-arm scroll bar at 0).
BoxCommit applyBalance(Model& m, const BalanceReport& r);

} // namespace corvellan
