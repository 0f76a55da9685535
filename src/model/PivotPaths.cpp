#include "model/PivotPaths.h"

#include "model/PivotPick.h"
#include "model/Solver.h"

#include <cstring>

namespace corvellan {

namespace {

// Everything a path depends on: the 36 dimensions, the fixed points that the
// solver reads from the pivot table (the driver centre, the link pivot, the
// heights of the two centre lines), the reverse-arm setting, and each slot's
// pivot and shown flag.
std::vector<Real> pathKey(const Model& m) {
    const auto& X = m.pivots.X;
    const auto& Y = m.pivots.Y;
    std::vector<Real> key;
    key.reserve(allDimensions().size() + 7 + 2 * kPivotSlots);
    for (const DimensionInfo& d : allDimensions())
        key.push_back(dimensionValue(m, d.code));
    key.insert(key.end(), {X[1], Y[1], X[9], Y[9], Y[3], Y[4]});
    key.push_back(m.gear.RevArmPos);
    for (int k = 1; k <= kPivotSlots; ++k) {
        key.push_back(m.pivotData.slotPivot[k]);
        key.push_back(m.pivotData.slotShown[k] ? 1.0f : 0.0f);
    }
    return key;
}

// Bit for bit, so that a NaN compares equal to itself and -0 differs from 0.
bool sameKey(const std::vector<Real>& a, const std::vector<Real>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(Real)) == 0;
}

} // namespace

bool PivotPaths::update(const Model& m) {
    std::vector<Real> key = pathKey(m);
    if (solved_ && sameKey(key, key_)) return false;
    key_ = std::move(key);
    solved_ = true;
    paths_.clear();
    for (int k = 1; k <= kPivotSlots; ++k) {
        const int pivot = pivotIndex(m.pivotData.slotPivot[k]);
        if (!m.pivotData.slotShown[k] || pivot < 0) continue;
        PivotPath path;
        path.slot = k;
        path.pivot = pivot;
        path.x.reserve(kPathSteps);
        path.y.reserve(kPathSteps);
        paths_.push_back(std::move(path));
    }
    if (paths_.empty()) return true;
    Model sweep = m;
    for (int degree = 0; degree < kPathSteps; ++degree) {
        sweep.gear.DriverAngle = static_cast<Real>(degree);
        solve(sweep);
        for (PivotPath& p : paths_) {
            p.x.push_back(sweep.pivots.X[p.pivot]);
            p.y.push_back(sweep.pivots.Y[p.pivot]);
        }
    }
    return true;
}

} // namespace corvellan
