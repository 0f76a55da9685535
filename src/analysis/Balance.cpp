#include "analysis/Balance.h"

#include "analysis/Parallel.h"
#include "model/Solver.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

namespace corvellan {

namespace {

std::string boundsText(const BalanceVariable& v) {
    return formatFixed(v.low, 0, 5) + ":" + formatFixed(v.high, 0, 5);
}

std::string weightsError(const BalanceProblem& p) {
    const BalanceWeights& w = p.weights;
    for (double x : {w.cutOff, w.lead, w.mean}) {
        if (!std::isfinite(x)) return "the weights must be numbers";
        if (x < 0) return "the weights must not be negative";
    }
    if (p.objective == BalanceObjectiveKind::MeanCutOff && w.mean != 0)
        return "the mean cut-off weight belongs to the positions objective: at settings of "
               "equal mean cut-off the mean is fixed";
    if (w.cutOff == 0 && w.lead == 0 && w.mean == 0)
        return "the weights are all 0: there is nothing to balance";
    return {};
}

std::string constraintsError(const BalanceConstraints& c) {
    for (double x : {c.leadFloor, c.leadCeiling})
        if (std::isinf(x)) return "the lead floor and ceiling must be numbers";
    if (c.leadFloor > c.leadCeiling)
        return "the lead floor " + shortestText(c.leadFloor) + " lies above the ceiling " +
               shortestText(c.leadCeiling);
    if (std::isnan(c.fullGearCutOffLoss) || c.fullGearCutOffLoss < 0)
        return "the full-gear cut-off loss must be a number of points, not negative";
    return {};
}

double square(double x) {
    return x * x;
}

// The events of both ends at a compared setting, and of full gear, as the
// search needs them.
bool endsMeasured(const SettingEvents& s) {
    return balanceFeasible(s);
}

} // namespace

const char* balanceObjectiveName(BalanceObjectiveKind kind) {
    return kind == BalanceObjectiveKind::Positions ? "positions" : "cutoffs";
}

BalanceWeights defaultBalanceWeights(BalanceObjectiveKind kind) {
    if (kind == BalanceObjectiveKind::Positions) return {1, 1, 1};
    return {1, 0.1, 0};
}

BalanceVariable defaultBalanceBounds(const Model& m, int code) {
    const Ext v = dimensionValue(m, code);
    Ext half = std::fabs(v) / 10;
    if (code == EccCrankAngleDegCode)
        half = 10;
    else if (v == 0)
        half = 0.1L;
    return {code, v - half, v + half};
}

BalanceVariable balanceBounds(const Model& m, int code) {
    const DimensionInfo* info = dimensionInfo(code);
    if (!info || std::string(info->name) != "ValveStem") return defaultBalanceBounds(m, code);
    const CylinderDimensions& c = m.cyl;
    const Ext e = static_cast<Ext>(c.ExhaustPortWidth) / 2;
    const Ext front =
        static_cast<Ext>(c.ValveLengthFrontHalf) - e - c.BridgeWidthFront - c.SteamPortWidthFront;
    const Ext rear =
        static_cast<Ext>(c.ValveLengthRearHalf) - e - c.BridgeWidthRear - c.SteamPortWidthRear;
    const Ext lap = std::min(front, rear);
    // A valve without lap at one end: the study bounds.
    if (!(lap > 0) || !std::isfinite(lap)) return defaultBalanceBounds(m, code);
    const Ext v = dimensionValue(m, code);
    return {code, v - lap, v + lap};
}

const std::vector<int>& defaultBalanceCodes() {
    static const std::vector<int> codes = [] {
        std::vector<int> c;
        for (const char* name : {"ValveStem", "LinkPivotVert", "ValveLeverUpper", "ValveLeverLower",
                                 "ValveLengthFrontHalf", "ValveLengthRearHalf"})
            c.push_back(dimensionByName(name)->code);
        return c;
    }();
    return codes;
}

const std::vector<double>& defaultBalanceSettings() {
    static const std::vector<double> settings{-1, -0.5, 0.5, 1};
    return settings;
}

BalanceProblem defaultBalanceProblem(const Model& m) {
    BalanceProblem p;
    for (int code : defaultBalanceCodes())
        p.vary.push_back(balanceBounds(m, code));
    p.weights = defaultBalanceWeights(p.objective);
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
    const size_t count = comparedSettings(p).size();
    if (count == 0)
        return p.objective == BalanceObjectiveKind::Positions ? "choose at least one setting"
                                                              : "choose at least one cut-off";
    if (count > kMaxBalanceSettings)
        return "at most " + std::to_string(kMaxBalanceSettings) + " settings can be compared (" +
               std::to_string(count) + " asked): each costs every evaluation of the search";
    if (p.objective == BalanceObjectiveKind::Positions) {
        for (double f : p.settings)
            if (!std::isfinite(f)) return "the settings must be numbers";
    } else {
        for (double c : p.cutOffs)
            if (!(c > 0 && c < 100)) return "the cut-offs must be percentages between 0 and 100";
    }
    const std::string w = weightsError(p);
    return w.empty() ? constraintsError(p.constraints) : w;
}

std::string rescaleBalanceWeights(BalanceProblem& p) {
    BalanceWeights& w = p.weights;
    const double largest = std::max({w.cutOff, w.lead, w.mean});
    if (!(largest > kLargestWeight) || !std::isfinite(largest)) return {};
    w.cutOff /= largest;
    w.lead /= largest;
    w.mean /= largest;
    char factor[32];
    std::snprintf(factor, sizeof factor, "%.6g", largest);
    return std::string("the weights are divided by ") + factor +
           " so that the objective stays a number (the balance depends on their ratios alone)";
}

std::vector<ComparedSetting> comparedSettings(const BalanceProblem& p) {
    std::vector<ComparedSetting> out;
    if (p.objective == BalanceObjectiveKind::Positions) {
        for (double f : p.settings)
            out.push_back({false, !(f > 0), f});
        return out;
    }
    for (bool forward : {true, false})
        for (double c : p.cutOffs)
            out.push_back({true, forward, c});
    return out;
}

std::string comparedSettingName(const ComparedSetting& s) {
    if (!s.byCutOff) return formatFixed(s.value, 0, 2);
    return std::string(s.forward ? "Fwd " : "Rev ") + shortestText(s.value) + " %";
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
    : problem_(std::move(problem)), compared_(comparedSettings(problem_)), scratch_(start),
      threads_(defaultThreadCount()) {
    events_.resize(compared_.size());
    guesses_.resize(compared_.size());
    found_.assign(compared_.size(), 0);
    startValues_ = currentBalanceValues(start, problem_);
    const BalanceConstraints& c = problem_.constraints;
    limits_.fullGear = std::isfinite(c.fullGearCutOffLoss);
    limits_.noOverTravel = c.noOverTravel;
    midGearCalc(scratch_);
    const bool measured = computeEvents(true);

    targets_.clear();
    double leadSum = 0, smallest = INFINITY, largest = -INFINITY;
    for (size_t i = 0; i < events_.size(); ++i) {
        const SettingEvents& s = events_[i];
        if (compared_[i].byCutOff) {
            targets_.push_back(compared_[i].value);
        } else {
            const Figure mean = meanCutOff(s);
            targets_.push_back(mean ? *mean : std::nan(""));
        }
        for (double lead : {s.front.lead, s.rear.lead}) {
            leadSum += std::fabs(lead);
            smallest = std::min(smallest, lead);
            largest = std::max(largest, lead);
        }
    }
    if (problem_.objective == BalanceObjectiveKind::MeanCutOff && !events_.empty()) {
        const double mean = leadSum / (2.0 * events_.size());
        // A gear without lead anywhere: a thousandth of a unit, as the
        // positions objective counts it.
        leadScale_ = mean > 1e-9 * static_cast<double>(gearLengthScale(start)) ? mean : kLeadScale;
    }
    limits_.leadFloor = std::isnan(c.leadFloor) ? std::max(0.0, smallest / 2) : c.leadFloor;
    limits_.leadCeiling = std::isnan(c.leadCeiling) ? 2 * largest : c.leadCeiling;
    if (limits_.fullGear && fullGear_.size() == 2)
        for (int d = 0; d < 2; ++d) {
            const Figure mean = meanCutOff(fullGear_[d]);
            limits_.fullGearCutOff[d] = mean ? *mean - c.fullGearCutOffLoss : -INFINITY;
        }
    if (!measured) {
        startReason_ = violation(events_, fullGear_);
        if (startReason_.empty()) startReason_ = "its events cannot be measured";
        return;
    }
    start_ = value(events_, fullGear_);
    if (!start_.feasible) startReason_ = violation(events_, fullGear_);
}

bool BalanceObjective::computeEvents(bool fromStart) {
    const size_t compared = compared_.size();
    fullGear_.resize(limits_.fullGear || limits_.noOverTravel ? 2 : 0);
    const Ext cen = scratch_.gear.RevArmCen(), max = scratch_.frame.RevArmToCentMax;
    // Each setting on a copy of the candidate of its own thread: a setting's
    // events depend on the design alone (and its root-finding on the fixed
    // guesses), so the results do not depend on how they are spread.
    const int threads = std::max(1, std::min(threads_, static_cast<int>(compared + 2)));
    workers_.resize(static_cast<size_t>(threads - 1));
    for (Model& w : workers_)
        w = scratch_;
    auto task = [&](long long index, int worker) {
        Model& m = worker == 0 ? scratch_ : workers_[static_cast<size_t>(worker - 1)];
        const size_t i = static_cast<size_t>(index);
        if (i >= compared) {
            const bool forward = i == compared;
            computeSettingEvents(m, clampSetting(m, forward ? cen - max : cen + max), forward,
                                 fullGear_[i - compared]);
            return;
        }
        const ComparedSetting& c = compared_[i];
        if (!c.byCutOff) {
            computeSettingEvents(m, balanceSetting(m, c.value), events_[i]);
            found_[i] = true;
            return;
        }
        const CutOffSettingResult r = findCutOffSetting(
            m, c.forward, c.value, fromStart ? CutOffSettingGuess{} : guesses_[i], events_[i]);
        found_[i] = r.found;
        if (fromStart && r.found) guesses_[i] = {r.distance, r.slope};
    };
    runParallel(static_cast<long long>(compared + fullGear_.size()), threads, task);
    if (fromStart && limits_.noOverTravel && fullGear_.size() == 2)
        for (int d = 0; d < 2; ++d) {
            // Full gear of the starting design already over-travelling is the
            // designer's choice of travel: it stays allowed there, and only
            // there.
            startOverTravel_[d][0] = fullGear_[d].front.overTravel;
            startOverTravel_[d][1] = fullGear_[d].rear.overTravel;
        }
    return std::all_of(found_.begin(), found_.end(), [](char f) { return f != 0; });
}

BalanceValue BalanceObjective::evaluate(const double* values) {
    for (size_t i = 0; i < problem_.vary.size(); ++i)
        storeDimension(scratch_, problem_.vary[i].code, values[i]);
    midGearCalc(scratch_);
    if (!computeEvents(false)) return {};
    return value(events_, fullGear_);
}

double BalanceObjective::objectiveValue(const std::vector<SettingEvents>& events) const {
    const BalanceWeights& w = problem_.weights;
    const bool positions = problem_.objective == BalanceObjectiveKind::Positions;
    const double leadScale = positions ? kLeadScale : leadScale_;
    double sum = 0;
    for (size_t i = 0; i < events.size(); ++i) {
        const SettingEvents& s = events[i];
        const double cf = *s.front.cutOffPct, cr = *s.rear.cutOffPct;
        sum +=
            w.cutOff * square(cf - cr) + w.lead * square((s.front.lead - s.rear.lead) / leadScale);
        if (positions) sum += w.mean * square((cf + cr) / 2 - targets_[i]);
    }
    return sum;
}

std::string BalanceObjective::violation(const std::vector<SettingEvents>& events,
                                        const std::vector<SettingEvents>& fullGear) const {
    for (size_t i = 0; i < compared_.size() && i < events.size(); ++i) {
        const SettingEvents& s = events[i];
        const std::string at = "at " + comparedSettingName(compared_[i]) + " ";
        if (compared_[i].byCutOff && !found_[i])
            return at + "mean cut-off no setting between mid gear and full gear gives it";
        if (s.geometryError) return at + "the gear cannot be assembled at some angles";
        for (const auto& [end, name] : {std::pair{&s.front, "front"}, std::pair{&s.rear, "rear"}}) {
            if (!end->admissionPct || !end->cutOffPct)
                return at + "the " + name + " end lacks a single admission and cut-off";
            if (end->lead < limits_.leadFloor)
                return at + "the " + name + " lead " + shortestText(end->lead) +
                       " is below the floor " + shortestText(limits_.leadFloor);
            if (end->lead > limits_.leadCeiling)
                return at + "the " + name + " lead " + shortestText(end->lead) +
                       " is above the ceiling " + shortestText(limits_.leadCeiling);
            if (limits_.noOverTravel && end->overTravel)
                return at + "the " + name + " valve edge over-travels into the exhaust port";
        }
        if (compared_[i].byCutOff &&
            s.direction !=
                (compared_[i].forward ? RunningDirection::Forward : RunningDirection::Reverse))
            return at + "the steam does not drive the engine that way";
    }
    for (size_t d = 0; d < fullGear.size(); ++d) {
        const SettingEvents& s = fullGear[d];
        const std::string at = std::string("at full gear ") + (d == 0 ? "forward " : "in reverse ");
        if (limits_.fullGear) {
            const Figure mean = meanCutOff(s);
            if (!mean || s.geometryError) return at + "the cut-off cannot be measured";
            if (*mean < limits_.fullGearCutOff[d])
                return at + "the mean cut-off " + formatFixed(*mean, 0, 2) +
                       " % is below the least allowed " +
                       formatFixed(limits_.fullGearCutOff[d], 0, 2) + " %";
        }
        if (limits_.noOverTravel)
            for (int e = 0; e < 2; ++e)
                if ((e == 0 ? s.front : s.rear).overTravel && !startOverTravel_[d][e])
                    return at + "the " + (e == 0 ? "front" : "rear") +
                           " valve edge over-travels into the exhaust port";
    }
    return {};
}

BalanceValue BalanceObjective::value(const std::vector<SettingEvents>& events,
                                     const std::vector<SettingEvents>& fullGear) const {
    if (events.size() != compared_.size()) return {};
    for (const SettingEvents& s : events)
        if (!endsMeasured(s)) return {};
    if (!violation(events, fullGear).empty()) return {};
    const double j = objectiveValue(events);
    // A target the starting design could not give leaves NaN: that start is
    // refused before any search.
    if (!std::isfinite(j)) return {};
    return {true, j};
}

std::string BalanceObjective::infeasibility() const {
    return violation(events_, fullGear_);
}

} // namespace corvellan
