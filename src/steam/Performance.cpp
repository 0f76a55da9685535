#include "steam/Performance.h"

#include <algorithm>

namespace corvellan::steam {

std::vector<double> defaultPerformanceSpeeds() {
    return {100, 200, 300, 500, 800};
}

bool computePerformance(const Model& m, const std::vector<Real>& settings,
                        const std::vector<double>& speeds, const SiConditions& c, int threads,
                        PerformanceMap& out, StudyProgress* progress, std::string* error) {
    out = PerformanceMap{};
    if (speeds.size() > kMaxPerformanceSpeeds ||
        settings.size() * speeds.size() > kMaxPerformanceCells) {
        if (error)
            *error = "a performance map takes at most 50 speeds and 5000 settings x speeds";
        return false;
    }
    threads = std::clamp(threads, 1, kMaxThreads);
    const auto fluid = makeFluid(c); // holds no state: shared by the threads
    IndicatorOptions options;
    options.loopPoints = 0;
    std::vector<Model> scratch(static_cast<std::size_t>(threads), m);
    std::vector<std::vector<SettingIndicator>> rows(settings.size());
    if (progress) progress->total = static_cast<long long>(settings.size());
    const bool complete = runParallel(
        static_cast<long long>(settings.size()), threads,
        [&](long long i, int worker) {
            rows[static_cast<std::size_t>(i)] = computeIndicatorSpeeds(
                scratch[static_cast<std::size_t>(worker)], settings[static_cast<std::size_t>(i)],
                speeds, c, *fluid, options);
        },
        progress);
    if (!complete) return false;
    out.settings = settings;
    out.speeds = speeds;
    out.cells.reserve(settings.size() * speeds.size());
    for (auto& row : rows)
        for (auto& cell : row)
            out.cells.push_back(std::move(cell));
    return true;
}

} // namespace corvellan::steam
