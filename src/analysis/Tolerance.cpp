#include "analysis/Tolerance.h"

#include "analysis/Sensitivity.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvellan {

namespace {

// Samples a task runs in turn. The running sums of a block are kept apart
// and added in block order, so the sums do not depend on the threads.
constexpr long long kBlock = 256;

// Positions: coordinates of the link pivot and of the cylinder and its port
// face, which may be 0 or negative and take any tolerance.
bool isPosition(int code) {
    switch (code) {
    case LinkPivotVertCode:
    case LinkPivotHorzCode:
    case CylCtrToDriverCtrCode:
    case CylCLAboveDriverCtrCode:
    case 108: // ValveSurfaceToCylCL
    case ValveStemCLToCylCLCode:
        return true;
    default:
        return isAngleDimension(code);
    }
}

// The shortest member a pin joins: crank, eccentric crank, rods, lever arms
// and link arms.
Ext shortestMember(const Model& m) {
    const FrameDimensions& f = m.frame;
    Ext shortest = std::numeric_limits<Ext>::infinity();
    for (Ext len : {static_cast<Ext>(f.Stroke) / 2, static_cast<Ext>(f.EccCrankCirDia) / 2,
                    static_cast<Ext>(f.MainRod), static_cast<Ext>(f.ValveRod),
                    static_cast<Ext>(f.ValveLeverUpper), static_cast<Ext>(f.ValveLeverLower),
                    static_cast<Ext>(f.RevArmLinkUpper), static_cast<Ext>(f.LinkLower)})
        shortest = std::min(shortest, std::fabs(len));
    return shortest;
}

std::string number(Ext v) {
    return formatGeneral(v, 6);
}

// Running sums of one figure (Welford's), with the extremes.
struct Sums {
    long long n = 0;
    double mean = 0, m2 = 0;
    double min = HUGE_VAL, max = -HUGE_VAL;

    void add(double x) {
        ++n;
        const double d = x - mean;
        mean += d / static_cast<double>(n);
        m2 += d * (x - mean);
        min = std::min(min, x);
        max = std::max(max, x);
    }
    // Chan's pairwise rule: equal means give the mean back exactly.
    void add(const Sums& b) {
        if (b.n == 0) return;
        if (n == 0) {
            *this = b;
            return;
        }
        const double total = static_cast<double>(n + b.n);
        const double d = b.mean - mean;
        mean += d * static_cast<double>(b.n) / total;
        m2 += b.m2 + d * d * static_cast<double>(n) * static_cast<double>(b.n) / total;
        n += b.n;
        min = std::min(min, b.min);
        max = std::max(max, b.max);
    }
};

struct BlockSums {
    std::array<Sums, kDesignFigures> figures{};
    long long judged = 0, infeasible = 0, overLimit = 0;
};

// A thread's scratch: the sample gear, its wear and its events.
struct Worker {
    Model gear;
    JointOffsets wear;
    std::vector<SettingEvents> events;
};

double interpolated(const std::vector<float>& sorted, double p) {
    const double at = p * static_cast<double>(sorted.size() - 1);
    const size_t lo = static_cast<size_t>(std::floor(at));
    const size_t hi = std::min(lo + 1, sorted.size() - 1);
    const double t = at - static_cast<double>(lo);
    return static_cast<double>(sorted[lo]) +
           t * (static_cast<double>(sorted[hi]) - static_cast<double>(sorted[lo]));
}

FigureSpread spreadOf(const Sums& sums, std::vector<float>& values) {
    FigureSpread s;
    s.count = sums.n;
    s.mean = sums.mean;
    s.std = sums.n > 1 ? std::sqrt(std::max(0.0, sums.m2 / static_cast<double>(sums.n - 1))) : 0;
    s.min = sums.min;
    s.max = sums.max;
    std::sort(values.begin(), values.end());
    s.p5 = interpolated(values, 0.05);
    s.p95 = interpolated(values, 0.95);
    s.histogram.assign(kHistogramBins, 0);
    const double width = s.max - s.min;
    for (float v : values) {
        int bin = width > 0
                      ? static_cast<int>((static_cast<double>(v) - s.min) / width * kHistogramBins)
                      : 0;
        s.histogram[std::clamp(bin, 0, kHistogramBins - 1)] += 1;
    }
    return s;
}

} // namespace

std::vector<Ext> defaultTolerances() {
    std::vector<Ext> t;
    for (const DimensionInfo& d : allDimensions()) {
        if (d.code == RevArmToCentNormCode || d.code == RevArmToCentMaxCode)
            t.push_back(0);
        else
            t.push_back(isAngleDimension(d.code) ? kDefaultAngleTolerance
                                                 : kDefaultLengthTolerance);
    }
    return t;
}

std::string toleranceError(const Model& base, const ToleranceOptions& o) {
    const auto& dims = allDimensions();
    if (o.tolerances.size() != dims.size()) return "there must be one tolerance per dimension";
    for (size_t i = 0; i < dims.size(); ++i) {
        const Ext t = o.tolerances[i];
        const std::string name = dims[i].name;
        if (!std::isfinite(t)) return "the tolerance of " + name + " must be a number";
        if (t < 0) return "the tolerance of " + name + " must not be negative";
        const Ext value = std::fabs(static_cast<Ext>(dimensionValue(base, dims[i].code)));
        if (!isPosition(dims[i].code) && t > value)
            return "the tolerance of " + name + " (" + number(t) +
                   ") is larger than the dimension (" + number(value) + ")";
    }
    if (!std::isfinite(o.pinClearance)) return "the pin clearance must be a number";
    if (o.pinClearance < 0) return "the pin clearance must not be negative";
    const Ext shortest = shortestMember(base);
    if (o.pinClearance > shortest)
        return "the pin clearance (" + number(o.pinClearance) +
               ") is larger than the shortest member it joins (" + number(shortest) + ")";
    if (o.samples <= 0) return "the sample count must be at least 1";
    if (o.samples > kMaxSamples) return "the sample count must be at most 10000000";
    if (!std::isfinite(o.cutOffLimit) || o.cutOffLimit < 0)
        return "the cut-off limit must be a number not below 0";
    if (o.offsets.empty()) return "choose at least one setting";
    return {};
}

void sampleGear(const Model& base, const ToleranceOptions& o, long long index, Model& gear,
                JointOffsets& wear) {
    gear = base;
    SampleRandom random(o.seed, static_cast<std::uint64_t>(index));
    const auto& dims = allDimensions();
    // Every number is drawn whatever the tolerances, so a sample's joints
    // draw the same numbers when a tolerance changes.
    for (size_t i = 0; i < dims.size(); ++i) {
        const double u = random.uniform();
        const Ext t = i < o.tolerances.size() ? o.tolerances[i] : 0;
        if (t != 0)
            storeDimension(gear, dims[i].code,
                           static_cast<Ext>(dimensionValue(base, dims[i].code)) + t * (2 * u - 1));
    }
    constexpr double kTwoPi = 6.283185307179586476925286766559;
    for (JointOffset& j : wear.at) {
        const double r = o.pinClearance * std::sqrt(random.uniform());
        const double a = kTwoPi * random.uniform();
        j.x = r * std::cos(a);
        j.y = r * std::sin(a);
    }
}

ToleranceReport computeTolerance(const Model& base, const ToleranceOptions& o,
                                 StudyProgress* progress) {
    ToleranceReport report;
    report.samples = o.samples;
    report.seed = o.seed;
    report.pinClearance = o.pinClearance;
    report.cutOffLimit = o.cutOffLimit;
    report.settings.resize(o.offsets.size());

    Model start = base;
    std::vector<SettingEvents> nominal;
    computeDesignEvents(start, o.offsets, nominal);
    for (size_t s = 0; s < o.offsets.size(); ++s) {
        report.settings[s].revArmPos = nominal[s].revArmPos;
        report.settings[s].direction = directionName(nominal[s]);
        report.settings[s].nominal = designFigures(nominal[s]);
    }

    const long long n = o.samples;
    const long long blocks = (n + kBlock - 1) / kBlock;
    if (progress) progress->total = blocks * static_cast<long long>(o.offsets.size());
    const int threads = std::max(1, o.threads);
    std::vector<Worker> workers(static_cast<size_t>(std::min<long long>(threads, blocks)));
    std::vector<std::uint8_t> leftOut(static_cast<size_t>(n), 0);
    std::vector<std::vector<float>> values(kDesignFigures);
    std::vector<BlockSums> sums(static_cast<size_t>(blocks));
    const bool worn = o.pinClearance > 0;
    constexpr float kAbsent = std::numeric_limits<float>::quiet_NaN();

    for (size_t s = 0; s < o.offsets.size() && !report.stopped; ++s) {
        for (auto& v : values)
            v.assign(static_cast<size_t>(n), kAbsent);
        const std::vector<Ext> one{o.offsets[s]};
        const bool whole = runParallel(
            blocks, threads,
            [&](long long b, int w) {
                Worker& worker = workers[w];
                BlockSums& block = sums[b] = BlockSums{};
                for (long long k = b * kBlock; k < std::min(n, (b + 1) * kBlock); ++k) {
                    sampleGear(start, o, k, worker.gear, worker.wear);
                    computeDesignEvents(worker.gear, one, worker.events,
                                        worn ? &worker.wear : nullptr);
                    const SettingEvents& e = worker.events[0];
                    if (!judgeable(e)) {
                        ++block.infeasible;
                        leftOut[k] = 1;
                        continue;
                    }
                    ++block.judged;
                    const DesignFigures f = designFigures(e);
                    for (int i = 0; i < kDesignFigures; ++i) {
                        if (!f[i] || !std::isfinite(*f[i])) continue;
                        block.figures[i].add(*f[i]);
                        values[i][k] = static_cast<float>(*f[i]);
                    }
                    if (std::fabs(*f[CutOffDifferenceFigure]) > o.cutOffLimit) ++block.overLimit;
                }
            },
            progress);
        if (!whole) {
            report.stopped = true;
            break;
        }
        SettingSpread& out = report.settings[s];
        BlockSums total;
        for (const BlockSums& b : sums) {
            for (int i = 0; i < kDesignFigures; ++i)
                total.figures[i].add(b.figures[i]);
            total.judged += b.judged;
            total.infeasible += b.infeasible;
            total.overLimit += b.overLimit;
        }
        out.infeasible = total.infeasible;
        out.shareOverLimit = total.judged > 0 ? static_cast<double>(total.overLimit) /
                                                    static_cast<double>(total.judged)
                                              : 0;
        for (int i = 0; i < kDesignFigures; ++i) {
            std::vector<float>& v = values[i];
            v.erase(std::remove_if(v.begin(), v.end(), [](float x) { return std::isnan(x); }),
                    v.end());
            if (!v.empty()) out.figures[i] = spreadOf(total.figures[i], v);
        }
    }
    for (std::uint8_t left : leftOut)
        report.infeasible += left;

    if (o.linearBounds && !report.stopped) {
        SensitivityOptions so;
        so.offsets = o.offsets;
        so.threads = threads;
        const SensitivityReport rates = computeSensitivity(start, so);
        const JointRates joints = computeJointRates(start, o.offsets);
        for (size_t s = 0; s < o.offsets.size(); ++s)
            for (int i = 0; i < kDesignFigures; ++i)
                report.settings[s].linearBound[i] =
                    linearWorstCase(rates.settings[s], o.tolerances, joints[s], o.pinClearance, i);
    }
    return report;
}

} // namespace corvellan
