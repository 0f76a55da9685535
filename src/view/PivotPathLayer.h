#pragma once
// The pivot paths on the mechanism picture: each shown slot's path as a
// closed polyline in the slot's colour, under the linkage. The paths are
// solved again only when the gear or the slots change (model/PivotPaths.h),
// and projected to the screen again only when they or the view change; a
// frame draws what it has.

#include "model/PivotPaths.h"
#include "view/Canvas.h"

#include <vector>

namespace corvellan {

// The colour of slot k's path (1..6).
Rgb pivotPathColour(int slot);

class PivotPathLayer {
  public:
    // Draws the paths of the shown slots when the paths are switched on.
    void draw(const Model& m, Canvas& c);
    const PivotPaths& paths() const { return paths_; }

  private:
    struct Projected {
        int slot = 0;
        std::vector<int> xs, ys; // consecutive repeats dropped, closed
    };
    void project(const Model& m);

    PivotPaths paths_;
    std::vector<Projected> projected_;
    ViewTransform view_{};
    bool projectedOnce_ = false;
};

} // namespace corvellan
