#include "view/PivotPathLayer.h"

#include "model/PivotPick.h"

#include <array>
#include <cmath>

namespace corvellan {

namespace {

// Colours that none of the linkage's bars, the section or the steam display
// use, so a path stands apart from what moves along it.
constexpr std::array<Rgb, kPivotSlots> kSlotColours = {
    colours::Fuchsia, colours::Teal, colours::Olive, colours::Purple, colours::Navy, 0xFF8000};

bool sameView(const ViewTransform& a, const ViewTransform& b) {
    return a.ViewScale == b.ViewScale && a.ViewOffsetX == b.ViewOffsetX &&
           a.ViewOffsetY == b.ViewOffsetY;
}

// Whether B lies on the segment from A to C, between them. Screen points of a
// wild gear lie anywhere in the int range, so their differences take 33 bits
// and the products 66: the test is done in 128-bit integers, exactly.
bool continuesStraight(int ax, int ay, int bx, int by, int cx, int cy) {
    using Wide = __int128;
    const Wide ux = Wide(bx) - ax, uy = Wide(by) - ay, vx = Wide(cx) - bx, vy = Wide(cy) - by;
    return ux * vy == uy * vx && ux * vx + uy * vy > 0;
}

} // namespace

Rgb pivotPathColour(int slot) {
    if (slot < 1 || slot > kPivotSlots) return colours::Black;
    return kSlotColours[static_cast<std::size_t>(slot - 1)];
}

void PivotPathLayer::project(const Model& m) {
    projected_.clear();
    for (const PivotPath& path : paths_.paths()) {
        Projected p;
        p.slot = path.slot;
        p.xs.reserve(path.x.size() + 1);
        p.ys.reserve(path.y.size() + 1);
        for (std::size_t i = 0; i <= path.x.size() && !path.x.empty(); ++i) {
            // The last point closes the curve at the first.
            const std::size_t k = i % path.x.size();
            // A place that is no number has no pixel (rounded, it would land
            // at the picture's corner): the path leaves it out.
            if (!std::isfinite(path.x[k]) || !std::isfinite(path.y[k])) continue;
            const int x = screenColumn(m, path.x[k]);
            const int y = screenRow(m, path.y[k]);
            const std::size_t n = p.xs.size();
            // A repeated point adds no segment; slow pivots repeat many.
            if (n > 0 && p.xs[n - 1] == x && p.ys[n - 1] == y) continue;
            // A point that only continues the last segment in its own
            // direction is dropped with it: the crosshead's straight path is
            // then two segments, not hundreds.
            if (n > 1 &&
                continuesStraight(p.xs[n - 2], p.ys[n - 2], p.xs[n - 1], p.ys[n - 1], x, y)) {
                p.xs[n - 1] = x;
                p.ys[n - 1] = y;
                continue;
            }
            p.xs.push_back(x);
            p.ys.push_back(y);
        }
        projected_.push_back(std::move(p));
    }
}

void PivotPathLayer::draw(const Model& m, Canvas& c) {
    if (!m.pivotData.pathsShown) return;
    const bool solved = paths_.update(m);
    if (solved || !projectedOnce_ || !sameView(view_, m.view.current)) {
        project(m);
        view_ = m.view.current;
        projectedOnce_ = true;
    }
    for (const Projected& p : projected_) {
        c.setPen(pivotPathColour(p.slot), m.display.lineWidth);
        c.polyline(p.xs.data(), p.ys.data(), static_cast<int>(p.xs.size()));
    }
    c.setPen(colours::Black, m.display.lineWidth);
}

} // namespace corvellan
