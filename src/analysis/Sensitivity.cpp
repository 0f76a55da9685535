#include "analysis/Sensitivity.h"

#include "analysis/Balance.h"

#include <algorithm>
#include <cmath>

namespace corvellan {

namespace {

// What the events resolve, in each kind of figure: the valve position is a
// 4-byte real of a few length units (about 1e-6), a crossing's piston
// position follows it within about 1e-4 % of stroke. Differences of rates
// below a few of these over the step are noise, not a lack of smoothness.
constexpr double kPercentResolution = 2e-4;
constexpr double kLengthResolution = 4e-6;

double resolution(int figure) {
    return isPercentFigure(figure) ? kPercentResolution : kLengthResolution;
}

// The figures of one design at one setting, judged at its own mid gear.
struct Probe {
    Model design;
    SettingEvents events;

    DesignFigures at(const Model& base, int code, Real value, Ext offset) {
        design = base;
        storeDimension(design, code, value);
        midGearCalc(design);
        computeSettingEvents(design, settingOf(design, offset), events);
        return designFigures(events);
    }
};

struct Side {
    Real value = 0;
    DesignFigures f{};
};

Figure difference(const Figure& a, const Figure& b, Ext over) {
    if (!a || !b || !(over != 0)) return std::nullopt;
    const double r = static_cast<double>((static_cast<Ext>(*a) - *b) / over);
    if (!std::isfinite(r)) return std::nullopt;
    return r;
}

// The central rates of a step.
struct Level {
    Ext h = 0;
    Side plus, minus;
    std::array<Figure, kDesignFigures> rate{};
};

Level level(Probe& probe, const Model& base, int code, Real x0, Ext h, Ext offset) {
    Level l;
    l.h = h;
    l.plus.value = clampToReal(x0 + h);
    l.minus.value = clampToReal(x0 - h);
    l.plus.f = probe.at(base, code, l.plus.value, offset);
    l.minus.f = probe.at(base, code, l.minus.value, offset);
    const Ext span = static_cast<Ext>(l.plus.value) - l.minus.value;
    for (int f = 0; f < kDesignFigures; ++f)
        l.rate[f] = difference(l.plus.f[f], l.minus.f[f], span);
    return l;
}

// |r(h) - r(h/2)| relative to r(h/2); 0 where the change is within what
// the events resolve over the step.
double halving(const Figure& coarse, const Figure& fine) {
    if (!coarse || !fine) return 0;
    const double change = std::fabs(*coarse - *fine);
    if (change == 0) return 0;
    const double scale = std::fabs(*fine);
    return scale > 0 ? change / scale : HUGE_VAL;
}

// The step passes for a figure when halving it moves the rate by under 1 %,
// or by no more than the events resolve over the step.
bool passes(const Figure& coarse, const Figure& fine, int figure, Ext h) {
    if (!coarse || !fine) return true;
    if (std::fabs(*coarse - *fine) <= 4 * resolution(figure) / static_cast<double>(h)) return true;
    return halving(coarse, fine) < kStableShare;
}

bool allPass(const Level& coarse, const Level& fine) {
    for (int f = 0; f < kDesignFigures; ++f)
        if (!passes(coarse.rate[f], fine.rate[f], f, fine.h)) return false;
    return true;
}

// How far the step is from passing: the largest change of a figure that
// does not pass.
double worstHalving(const Level& coarse, const Level& fine) {
    double worst = 0;
    for (int f = 0; f < kDesignFigures; ++f)
        if (!passes(coarse.rate[f], fine.rate[f], f, fine.h))
            worst = std::max(worst, halving(coarse.rate[f], fine.rate[f]));
    return worst;
}

// The forward and backward differences of a figure at a step.
struct OneSided {
    Figure forward, backward;
    Ext h = 0; // the shorter side

    // Apart by more than 10 % of the larger, and by more than the events
    // resolve over the step.
    bool apart(int figure) const {
        if (!forward || !backward) return false;
        const double gap = std::fabs(*forward - *backward);
        if (gap <= 4 * resolution(figure) / static_cast<double>(h)) return false;
        return gap > kSmoothShare * std::max(std::fabs(*forward), std::fabs(*backward));
    }
    double gap() const { return std::fabs(*forward - *backward); }
};

OneSided oneSided(const Level& l, Real x0, const Figure& f0, int figure) {
    OneSided o;
    o.forward = difference(l.plus.f[figure], f0, static_cast<Ext>(l.plus.value) - x0);
    o.backward = difference(f0, l.minus.f[figure], static_cast<Ext>(x0) - l.minus.value);
    o.h = std::min(static_cast<Ext>(l.plus.value) - x0, static_cast<Ext>(x0) - l.minus.value);
    return o;
}

// Not smooth: the one-sided differences disagree at the step and at half of
// it, and their gap does not close on halving. On a smooth curve the gap is
// the curvature times the step and halves with it, however large it is
// beside a small rate; at a corner it stays, at a jump it grows.
bool smoothAt(const Level& step, const Level& half, Real x0, const Figure& f0, int figure) {
    const OneSided a = oneSided(step, x0, f0, figure), b = oneSided(half, x0, f0, figure);
    if (!a.apart(figure) || !b.apart(figure)) return true;
    return b.gap() <= 0.75 * a.gap();
}

// A step at least a few units of the value's last place, so x +- h are
// different 4-byte reals from x.
Ext firstStep(int code, Real x0) {
    const Ext h = isAngleDimension(code) ? kAngleStep : kLengthStep;
    const Ext ulp = std::fabs(static_cast<Ext>(std::nextafter(x0, HUGE_VALF)) - x0);
    return std::isfinite(static_cast<double>(ulp)) ? std::max(h, 64 * ulp) : h;
}

DimensionRates ratesOf(Probe& probe, const Model& base, int code, Ext offset,
                       const DesignFigures& nominal) {
    DimensionRates out;
    out.code = code;
    const Real x0 = dimensionValue(base, code);
    if (!std::isfinite(x0)) {
        out.stable = false;
        return out;
    }
    Ext h = firstStep(code, x0);
    Level coarse = level(probe, base, code, x0, h, offset);
    out.eventsComputed = 2;
    Level chosen, half;
    double chosenChange = HUGE_VAL;
    out.stable = false;
    for (int k = 0; k < kStepHalvings; ++k) {
        Level fine = level(probe, base, code, x0, coarse.h / 2, offset);
        out.eventsComputed += 2;
        const double change = worstHalving(coarse, fine);
        if (k == 0 || change < chosenChange) chosen = coarse, half = fine, chosenChange = change;
        if (allPass(coarse, fine)) {
            out.stable = true;
            break;
        }
        coarse = std::move(fine);
    }
    out.step = static_cast<double>((static_cast<Ext>(chosen.plus.value) - chosen.minus.value) / 2);
    for (int f = 0; f < kDesignFigures; ++f) {
        FigureRate& r = out.figures[f];
        r.rate = chosen.rate[f];
        if (!r.rate) continue;
        r.halvingChange = halving(chosen.rate[f], half.rate[f]);
        // Rates near the events' resolution over the step change by
        // large shares of nothing; the others say how stable the step is.
        const double floor = 4 * resolution(f) / static_cast<double>(half.h);
        if (std::fabs(*r.rate) > 10 * floor)
            out.halvingChange = std::max(out.halvingChange, r.halvingChange);
        r.smooth = smoothAt(chosen, half, x0, nominal[f], f);
    }
    return out;
}

std::vector<int> chosenCodes(const SensitivityOptions& o) {
    if (!o.codes.empty()) return o.codes;
    std::vector<int> codes;
    for (const DimensionInfo& d : allDimensions())
        codes.push_back(d.code);
    return codes;
}

} // namespace

long long SensitivityReport::eventsComputed() const {
    long long n = 0;
    for (const SettingRates& s : settings) {
        ++n;
        for (const DimensionRates& d : s.dimensions)
            n += d.eventsComputed;
    }
    return n;
}

bool DimensionRates::smooth() const {
    for (const FigureRate& r : figures)
        if (r.rate && !r.smooth) return false;
    return true;
}

SensitivityReport computeSensitivity(const Model& base, const SensitivityOptions& options,
                                     StudyProgress* progress) {
    const std::vector<int> codes = chosenCodes(options);
    const std::vector<Ext>& offsets = options.offsets;
    SensitivityReport report;
    report.settings.resize(offsets.size());

    Model start = base;
    std::vector<SettingEvents> nominal;
    computeDesignEvents(start, offsets, nominal);
    for (size_t s = 0; s < offsets.size(); ++s) {
        SettingRates& r = report.settings[s];
        r.revArmPos = nominal[s].revArmPos;
        r.direction = directionName(nominal[s]);
        r.nominal = designFigures(nominal[s]);
        r.dimensions.resize(codes.size());
    }

    const long long tasks = static_cast<long long>(codes.size() * offsets.size());
    if (progress) progress->total = tasks;
    const int threads = std::max(1, options.threads);
    std::vector<Probe> probes(
        static_cast<size_t>(std::min<long long>(threads, std::max(tasks, 1LL))));
    const bool whole = runParallel(
        tasks, threads,
        [&](long long task, int worker) {
            const size_t s = static_cast<size_t>(task) / codes.size();
            const size_t d = static_cast<size_t>(task) % codes.size();
            SettingRates& r = report.settings[s];
            r.dimensions[d] = ratesOf(probes[worker], start, codes[d], offsets[s], r.nominal);
        },
        progress);
    report.stopped = !whole;
    return report;
}

JointRates computeJointRates(const Model& base, const std::vector<Ext>& offsets, double step) {
    JointRates rates(offsets.size());
    Model design = base;
    std::vector<SettingEvents> plus, minus;
    for (int j = 0; j < kPinJoints; ++j) {
        for (int axis = 0; axis < 2; ++axis) {
            JointOffsets wear;
            double& component = axis == 0 ? wear.at[j].x : wear.at[j].y;
            component = step;
            computeDesignEvents(design, offsets, plus, &wear);
            component = -step;
            computeDesignEvents(design, offsets, minus, &wear);
            for (size_t s = 0; s < offsets.size(); ++s) {
                const DesignFigures fp = designFigures(plus[s]), fm = designFigures(minus[s]);
                for (int f = 0; f < kDesignFigures; ++f) {
                    JointRate& r = rates[s][j][f];
                    (axis == 0 ? r.x : r.y) = difference(fp[f], fm[f], 2 * static_cast<Ext>(step));
                }
            }
        }
    }
    return rates;
}

Figure linearWorstCase(const SettingRates& rates, const std::vector<Ext>& tolerances,
                       const std::array<std::array<JointRate, kDesignFigures>, kPinJoints>& joints,
                       double clearance, int figure) {
    double sum = 0;
    for (const DimensionRates& d : rates.dimensions) {
        const int i = dimensionIndex(d.code);
        const double tol = i >= 0 && i < static_cast<int>(tolerances.size())
                               ? static_cast<double>(tolerances[i])
                               : 0;
        if (tol == 0) continue;
        const Figure& r = d.figures[figure].rate;
        if (!r) return std::nullopt;
        sum += std::fabs(*r) * tol;
    }
    if (clearance > 0) {
        for (const auto& joint : joints) {
            const JointRate& r = joint[figure];
            if (!r.x || !r.y) return std::nullopt;
            sum += clearance * std::hypot(*r.x, *r.y);
        }
    }
    return sum;
}

std::vector<CutOffMove> rankCutOffMoves(const Model& base, const SettingRates& rates) {
    std::vector<CutOffMove> moves;
    const Figure& difference = rates.nominal[CutOffDifferenceFigure];
    if (!difference) return moves;
    for (const DimensionRates& d : rates.dimensions) {
        const FigureRate& r = d.figures[CutOffDifferenceFigure];
        if (!r.rate || *r.rate == 0) continue;
        CutOffMove m;
        m.code = d.code;
        m.rate = *r.rate;
        m.move = -*difference / *r.rate;
        const BalanceVariable bounds = defaultBalanceBounds(base, d.code);
        const Ext moved = static_cast<Ext>(dimensionValue(base, d.code)) + m.move;
        m.withinBounds = moved >= bounds.low && moved <= bounds.high;
        m.smooth = r.smooth;
        moves.push_back(m);
    }
    std::stable_sort(moves.begin(), moves.end(), [](const CutOffMove& a, const CutOffMove& b) {
        return std::fabs(a.rate) > std::fabs(b.rate);
    });
    return moves;
}

} // namespace corvellan
