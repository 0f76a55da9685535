#pragma once
// Pivot paths: the closed curve that each pivot of a shown pivot slot traces
// over one turn of the driver, solved at every whole degree. The curves
// depend only on the dimensions, the reverse-arm setting and the slots, so
// they are kept and solved again only when one of those changes, never
// because the driver turned.

#include "model/Model.h"

#include <vector>

namespace corvellan {

constexpr int kPathSteps = 360; // one point per degree, 0 to 359

struct PivotPath {
    int slot = 0;  // 1 to 6
    int pivot = 0; // the slot's pivot
    // Model coordinates at driver angles 0, 1, ..., 359 degrees.
    std::vector<Real> x, y;
};

class PivotPaths {
  public:
    // Solves the paths again when the dimensions, the reverse-arm setting or
    // the slots differ from those of the last solve; returns whether it did.
    // The model is not touched: the sweep runs on a copy.
    bool update(const Model& m);
    // One path per shown slot, in slot order.
    const std::vector<PivotPath>& paths() const { return paths_; }

  private:
    std::vector<Real> key_;
    bool solved_ = false;
    std::vector<PivotPath> paths_;
};

} // namespace corvellan
