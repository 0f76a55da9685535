#include "analysis/Sweep.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace corvellan {

namespace {

// Points computed between two hand-ons: enough to keep every thread busy,
// few enough that a block of a three-setting sweep stays a few megabytes.
constexpr long long kBlockPoints = 4096;

struct Worker {
    Model design;
    std::vector<SettingEvents> events;
};

void place(const SweepOptions& o, long long index, SweepPoint& p) {
    p.index = index;
    long long rest = index;
    for (int a = static_cast<int>(o.axes.size()) - 1; a >= 0; --a) {
        const SweepAxis& axis = o.axes[a];
        p.at[a] = static_cast<int>(rest % axis.points);
        rest /= axis.points;
        p.values[a] = axis.valueAt(p.at[a]);
    }
}

void evaluate(const Model& base, const SweepOptions& o, Worker& w, SweepPoint& p) {
    w.design = base;
    for (size_t a = 0; a < o.axes.size(); ++a)
        storeDimension(w.design, o.axes[a].code, p.values[a]);
    computeDesignEvents(w.design, o.offsets, w.events);
    p.settings.resize(o.offsets.size());
    for (size_t s = 0; s < o.offsets.size(); ++s) {
        const SettingEvents& e = w.events[s];
        SweepSettingFigures& f = p.settings[s];
        f.revArmPos = e.revArmPos;
        f.direction = directionName(e);
        f.judgeable = judgeable(e);
        f.geometryError = e.geometryError;
        f.figures = designFigures(e);
    }
}

} // namespace

Real SweepAxis::valueAt(int i) const {
    if (points < 2) return clampToReal(low);
    if (i == points - 1) return clampToReal(high);
    return clampToReal(low + (high - low) * i / (points - 1));
}

long long gridPoints(const SweepOptions& o) {
    long long n = 1;
    for (const SweepAxis& a : o.axes) {
        n *= std::max(a.points, 0);
        if (n > kMaxGridPoints) return kMaxGridPoints + 1;
    }
    return n;
}

std::string sweepError(const SweepOptions& o) {
    if (o.axes.empty()) return "choose a dimension to sweep";
    if (o.axes.size() > kMaxSweepAxes) return "a sweep has at most 3 dimensions";
    std::set<int> seen;
    for (const SweepAxis& a : o.axes) {
        const DimensionInfo* info = dimensionInfo(a.code);
        if (!info) return "unknown dimension code " + std::to_string(a.code);
        const std::string name = info->name;
        if (!seen.insert(a.code).second) return name + " is swept twice";
        if (!std::isfinite(a.low) || !std::isfinite(a.high))
            return "the range of " + name + " must be numbers";
        if (a.points < 2) return name + " needs at least 2 points";
        if (a.points > kMaxAxisPoints) return name + " may have at most 1000 points";
    }
    if (gridPoints(o) > kMaxGridPoints) return "a sweep may have at most 1000000 points in all";
    if (o.offsets.empty()) return "choose at least one setting";
    return {};
}

bool runSweep(const Model& base, const SweepOptions& o, const SweepSink& sink,
              StudyProgress* progress) {
    const long long total = gridPoints(o);
    if (progress) progress->total = total;
    const int threads = std::max(1, o.threads);
    Model start = base;
    midGearCalc(start);
    std::vector<Worker> workers(static_cast<size_t>(std::min<long long>(threads, total)));
    std::vector<SweepPoint> block;
    for (long long first = 0; first < total; first += kBlockPoints) {
        const long long count = std::min(kBlockPoints, total - first);
        block.resize(static_cast<size_t>(count));
        const bool whole = runParallel(
            count, threads,
            [&](long long i, int w) {
                SweepPoint& p = block[static_cast<size_t>(i)];
                place(o, first + i, p);
                evaluate(start, o, workers[w], p);
            },
            progress);
        if (!whole) return false;
        sink(block);
    }
    return true;
}

bool computeSweep(const Model& base, const SweepOptions& o, std::vector<SweepPoint>& out,
                  StudyProgress* progress) {
    out.clear();
    return runSweep(
        base, o,
        [&out](const std::vector<SweepPoint>& block) {
            out.insert(out.end(), block.begin(), block.end());
        },
        progress);
}

} // namespace corvellan
