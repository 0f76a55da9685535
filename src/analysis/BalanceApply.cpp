#include "analysis/BalanceApply.h"

#include "model/DynVars.h"

#include <algorithm>

namespace corvellan {

BalanceApplyCount countBalanceApply(const BalanceReport& r) {
    BalanceApplyCount c;
    for (size_t i = 0; i < r.problem.vary.size() && i < r.afterValues.size(); ++i) {
        if (r.beforeValues[i] == r.afterValues[i]) continue;
        ++c.changed;
        if (boxKeyMarksEdit(r.problem.vary[i].code)) ++c.undoable;
    }
    c.undoSteps = std::min(c.undoable, kUndoDepth);
    return c;
}

std::string balanceUndoNote(const BalanceReport& r) {
    const BalanceApplyCount c = countBalanceApply(r);
    if (c.changed == 0) return "The balance changes no dimension: Apply leaves the gear as it is.";
    auto times = [](int n) { return std::to_string(n) + (n == 1 ? " time" : " times"); };
    std::string note = "Apply changes " + std::to_string(c.changed) +
                       (c.changed == 1 ? " dimension" : " dimensions");
    if (c.undoable == c.changed && c.undoSteps == c.undoable)
        return note + ", each recorded for undo: pressing \"UnDo\" " + times(c.undoSteps) +
               " restores the design, with its mid gear, diagram positions and reverse-arm "
               "setting.";
    note += ".";
    if (c.undoable < c.changed)
        note += " Rev Arm to Cent Norm and Max are not recorded for undo, as in the frame dialog.";
    if (c.undoable > c.undoSteps)
        note += " The undo store holds " + std::to_string(kUndoDepth) +
                " changes: pressing \"UnDo\" " + times(c.undoSteps) + " takes back the last " +
                std::to_string(c.undoSteps) + " and the first " +
                std::to_string(c.undoable - c.undoSteps) + " stay changed.";
    else
        note += " Pressing \"UnDo\" " + times(c.undoSteps) + " takes back the recorded changes.";
    return note;
}

void BalanceRestore::arm(const Model& m) {
    armed_ = true;
    dimensions_.clear();
    for (const DimensionInfo& info : allDimensions())
        dimensions_.push_back(dimensionValue(m, info.code));
    revArmPositions_ = m.gear.RevArmPositions;
    revArmPos_ = m.gear.RevArmPos;
}

bool BalanceRestore::restoreIfBack(Model& m) {
    if (!armed_) return false;
    size_t i = 0;
    for (const DimensionInfo& info : allDimensions())
        if (i >= dimensions_.size() || !(dimensionValue(m, info.code) == dimensions_[i++]))
            return false;
    m.gear.RevArmPositions = revArmPositions_;
    m.gear.RevArmPos = revArmPos_;
    armed_ = false;
    return true;
}

BoxCommit applyBalance(Model& m, const BalanceReport& r) {
    BoxCommit result;
    for (size_t i = 0; i < r.problem.vary.size() && i < r.afterValues.size(); ++i) {
        if (r.beforeValues[i] == r.afterValues[i]) continue;
        const int code = r.problem.vary[i].code;
        // As if a key had been typed in the dimension's box.
        m.dyn.DimEdited = boxKeyMarksEdit(code);
        result.revArmRangeChanged |=
            commitDimensionBox(m, code, r.afterValues[i]).revArmRangeChanged;
        m.dyn.DimEdited = false;
    }
    return result;
}

} // namespace corvellan
