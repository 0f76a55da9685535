#include "analysis/Balance.h"

#include "model/Solver.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace corvellan {

namespace {

std::string boundsText(const BalanceVariable& v) {
    return formatFixed(v.low, 0, 5) + ":" + formatFixed(v.high, 0, 5);
}

std::string weightsError(const BalanceWeights& w) {
    for (double x : {w.cutOff, w.lead, w.mean}) {
        if (!std::isfinite(x)) return "the weights must be numbers";
        if (x < 0) return "the weights must not be negative";
    }
    if (w.cutOff == 0 && w.lead == 0 && w.mean == 0)
        return "the weights are all 0: there is nothing to balance";
    return {};
}

double square(double x) {
    return x * x;
}

} // namespace

BalanceVariable defaultBalanceBounds(const Model& m, int code) {
    const Ext v = dimensionValue(m, code);
    Ext half = std::fabs(v) / 10;
    if (code == EccCrankAngleDegCode)
        half = 10;
    else if (v == 0)
        half = 0.1L;
    return {code, v - half, v + half};
}

const std::vector<double>& defaultBalanceSettings() {
    static const std::vector<double> settings{-1, -0.5, 0.5, 1};
    return settings;
}

BalanceProblem defaultBalanceProblem(const Model& m) {
    BalanceProblem p;
    for (int code : {EccCrankAngleDegCode, LinkPivotHorzCode, LinkPivotVertCode,
                     ValveLeverUpperCode, ValveLeverLowerCode})
        p.vary.push_back(defaultBalanceBounds(m, code));
    p.settings = defaultBalanceSettings();
    return p;
}

const DimensionInfo* dimensionByName(const std::string& name) {
    for (const DimensionInfo& d : allDimensions())
        if (name == d.name) return &d;
    return nullptr;
}

std::string balanceProblemError(const Model& m, const BalanceProblem& p) {
    const std::string unbuildable = unbuildableLinkage(m.frame);
    if (!unbuildable.empty()) return unbuildable;
    if (p.vary.empty()) return "choose at least one dimension to vary";
    std::set<int> seen;
    for (const BalanceVariable& v : p.vary) {
        const DimensionInfo* info = dimensionInfo(v.code);
        if (!info) return "unknown dimension code " + std::to_string(v.code);
        const std::string name = info->name;
        if (!seen.insert(v.code).second) return name + " is named twice";
        if (!std::isfinite(v.low) || !std::isfinite(v.high))
            return "the bounds of " + name + " must be numbers";
        if (v.low > v.high)
            return "the bounds of " + name + " are inverted (" + boundsText(v) + ")";
        if (v.low == v.high) return "the bounds of " + name + " are empty (" + boundsText(v) + ")";
        const Real value = dimensionValue(m, v.code);
        if (!(value >= v.low && value <= v.high))
            return "the bounds of " + name + " (" + boundsText(v) + ") leave out its value " +
                   formatFixed(value, 0, 5);
    }
    if (p.settings.empty()) return "choose at least one setting";
    for (double f : p.settings)
        if (!std::isfinite(f)) return "the settings must be numbers";
    return weightsError(p.weights);
}

Real balanceSetting(const Model& m, double fraction) {
    return clampSetting(m, static_cast<Ext>(m.gear.RevArmCen()) +
                               fraction * static_cast<Ext>(m.frame.RevArmToCentNorm));
}

std::vector<Real> balanceSettings(const Model& m, const std::vector<double>& fractions) {
    std::vector<Real> settings;
    for (double f : fractions)
        settings.push_back(balanceSetting(m, f));
    return settings;
}

bool balanceFeasible(const SettingEvents& s) {
    return !s.geometryError && s.front.admissionPct && s.front.cutOffPct && s.rear.admissionPct &&
           s.rear.cutOffPct;
}

std::string balanceInfeasibility(const std::vector<double>& fractions,
                                 const std::vector<SettingEvents>& events) {
    for (size_t i = 0; i < fractions.size() && i < events.size(); ++i) {
        const SettingEvents& s = events[i];
        const std::string at = "at setting " + formatFixed(fractions[i], 0, 2) + " ";
        if (s.geometryError) return at + "the gear cannot be assembled at some angles";
        for (const auto& [end, name] : {std::pair{&s.front, "front"}, std::pair{&s.rear, "rear"}})
            if (!end->admissionPct || !end->cutOffPct)
                return at + "the " + name + " end lacks a single admission and cut-off";
    }
    return {};
}

void storeBalanceValues(Model& m, const BalanceProblem& p, const std::vector<Real>& values) {
    for (size_t i = 0; i < p.vary.size() && i < values.size(); ++i)
        storeDimension(m, p.vary[i].code, values[i]);
    midGearCalc(m);
}

std::vector<Real> currentBalanceValues(const Model& m, const BalanceProblem& p) {
    std::vector<Real> values;
    for (const BalanceVariable& v : p.vary)
        values.push_back(dimensionValue(m, v.code));
    return values;
}

BalanceObjective::BalanceObjective(const Model& start, BalanceProblem problem)
    : problem_(std::move(problem)), scratch_(start) {
    events_.resize(problem_.settings.size());
    startValues_ = currentBalanceValues(start, problem_);
    midGearCalc(scratch_);
    computeEventsAtSettings();
    targets_.clear();
    for (const SettingEvents& s : events_) {
        const bool both = s.front.cutOffPct && s.rear.cutOffPct;
        targets_.push_back(both ? (*s.front.cutOffPct + *s.rear.cutOffPct) / 2 : std::nan(""));
    }
    startValue_ = value(events_);
}

void BalanceObjective::computeEventsAtSettings() {
    for (size_t i = 0; i < events_.size(); ++i)
        computeSettingEvents(scratch_, balanceSetting(scratch_, problem_.settings[i]), events_[i]);
}

double BalanceObjective::evaluate(const double* values) {
    for (size_t i = 0; i < problem_.vary.size(); ++i)
        storeDimension(scratch_, problem_.vary[i].code, values[i]);
    midGearCalc(scratch_);
    computeEventsAtSettings();
    return value(events_);
}

double BalanceObjective::value(const std::vector<SettingEvents>& events) const {
    if (events.size() != targets_.size()) return kInfeasible;
    const BalanceWeights& w = problem_.weights;
    double sum = 0;
    for (size_t i = 0; i < events.size(); ++i) {
        const SettingEvents& s = events[i];
        if (!balanceFeasible(s)) return kInfeasible;
        const double cf = *s.front.cutOffPct, cr = *s.rear.cutOffPct;
        sum += w.cutOff * square(cf - cr) +
               w.lead * square((s.front.lead - s.rear.lead) / kLeadScale) +
               w.mean * square((cf + cr) / 2 - targets_[i]);
    }
    // A target the starting design could not give (it was infeasible there)
    // leaves NaN: that start is refused before any search.
    return std::isfinite(sum) ? sum : kInfeasible;
}

} // namespace corvellan
