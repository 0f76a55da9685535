#pragma once
// The performance map of a gear: the settled indicator computation of each
// setting (the 21-setting sweep, or the diagram positions) at each of
// several speeds, spread over the cores. The results do not depend on how
// many threads ran.

#include "analysis/Parallel.h"
#include "model/Model.h"
#include "steam/Conditions.h"
#include "steam/Indicator.h"

#include <string>
#include <vector>

namespace corvellan::steam {

// 100, 200, 300, 500 and 800 rpm.
std::vector<double> defaultPerformanceSpeeds();
// The most speeds a map takes, and the most cells (settings x speeds).
constexpr std::size_t kMaxPerformanceSpeeds = 50;
constexpr std::size_t kMaxPerformanceCells = 5000;

struct PerformanceMap {
    std::vector<Real> settings;
    std::vector<double> speeds;
    // settings.size() x speeds.size(), setting by setting: at(i, j) is
    // setting i at speed j. No loops are kept.
    std::vector<SettingIndicator> cells;
    const SettingIndicator& at(std::size_t setting, std::size_t speed) const {
        return cells[setting * speeds.size() + speed];
    }
};

// One task per setting on `threads` threads. False when `progress` asked to
// stop (the map is then incomplete and left empty) or the map is too large
// (with `error` said).
bool computePerformance(const Model& m, const std::vector<Real>& settings,
                        const std::vector<double>& speeds, const SiConditions& c, int threads,
                        PerformanceMap& out, StudyProgress* progress = nullptr,
                        std::string* error = nullptr);

} // namespace corvellan::steam
