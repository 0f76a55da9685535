#pragma once
// Balancing a gear: the choice of dimensions that may change, their bounds,
// the settings the two cylinder ends are compared at, the constraints a
// designer sets, and the objective that measures how unlike the ends are.
//
// By default the ends are compared where a driver would compare them: at
// the settings that give a mean cut-off of 25, 50 and 75 % in each running
// direction, each found anew for every candidate (CutOffSetting.h), and
//
//   J = sum_s [ wc (CF - CR)^2 + wl ((LF - LR) / L0)^2 ]
//
// with CF, CR the front and rear cut-off percent, LF, LR the leads and L0 the
// starting design's mean lead, so the two terms are of like size. The older
// objective compares the ends at fixed fractions of the normal distance from
// mid gear ("positions"):
//
//   J = sum_s [ wc (CF - CR)^2 + wl ((LF - LR) / 0.001)^2 + wk ((CF + CR)/2 - M)^2 ]
//
// with M the starting design's mean cut-off at that setting. Either way the
// constraints rule designs out and never enter J: each end's lead at every
// compared setting between a floor and a ceiling, the full-gear cut-off in
// each direction not much below the starting design's, and no over-travel.
// The search itself is in BalanceSearch.h.

#include "analysis/CutOffSetting.h"
#include "analysis/ValveEvents.h"
#include "model/Model.h"

#include <limits>
#include <string>
#include <vector>

namespace corvellan {

// The lead difference of the positions objective is counted in thousandths
// of a length unit.
constexpr double kLeadScale = 0.001;
// The most settings a balance compares: each costs every evaluation.
constexpr std::size_t kMaxBalanceSettings = 24;
// Weights above this are scaled down (only their ratios matter) so that J
// stays a number whatever the gear.
constexpr double kLargestWeight = 1e6;

enum class BalanceObjectiveKind {
    MeanCutOff, // the ends at settings of equal mean cut-off
    Positions,  // the ends at fractions of the normal distance from mid gear
};

// "cutoffs", "positions".
const char* balanceObjectiveName(BalanceObjectiveKind kind);

struct BalanceVariable {
    int code = 0;
    Ext low = 0;
    Ext high = 0;
};

struct BalanceWeights {
    double cutOff = 1; // wc: front against rear cut-off
    double lead = 0.1; // wl: front against rear lead
    double mean = 0;   // wk: the mean cut-off kept where it was (positions only)
};
// 1, 0.1, 0 for the mean cut-off objective; 1, 1, 1 for positions.
BalanceWeights defaultBalanceWeights(BalanceObjectiveKind kind);

constexpr double kFromStart = std::numeric_limits<double>::quiet_NaN();

struct BalanceConstraints {
    // Each end's lead at every compared setting, in length units. NaN: from
    // the starting design, half its smallest lead (never below 0) and twice
    // its largest.
    double leadFloor = kFromStart;
    double leadCeiling = kFromStart;
    // The mean cut-off at full gear in each direction may fall at most this
    // many points below the starting design's (infinity: any).
    double fullGearCutOffLoss = 2;
    // No end's steam edge may pass over the bridge into the exhaust port.
    bool noOverTravel = true;
};

struct BalanceProblem {
    BalanceObjectiveKind objective = BalanceObjectiveKind::MeanCutOff;
    std::vector<BalanceVariable> vary;
    // Mean cut-off objective: the mean cut-offs, percent, each compared
    // running forward and in reverse.
    std::vector<double> cutOffs{25, 50, 75};
    // Positions objective: fractions of RevArmToCentNorm from mid gear; -1 is
    // the normal forward setting, 1 the normal reverse one.
    std::vector<double> settings{-1, -0.5, 0.5, 1};
    BalanceWeights weights;
    BalanceConstraints constraints;
};

// The default bounds of a dimension for the design studies: 10 % of its
// value either side, 10 degrees for the eccentric crank angle, 0.1 where the
// value is 0.
BalanceVariable defaultBalanceBounds(const Model& m, int code);
// The bounds a balance starts a dimension with: the valve's setting on its
// spindle (ValveStem) within the smaller lap either side, since a tenth of
// the stem would move the valve several laps; the others as above.
BalanceVariable balanceBounds(const Model& m, int code);
// The remedies a designer reaches for first: the valve's setting on its
// spindle, the link pivot's height, the two arms of the valve lever and the
// two valve halves (the laps). The eccentric crank angle only when asked.
const std::vector<int>& defaultBalanceCodes();
// Those, each within balanceBounds, compared at 25/50/75 % mean cut-off each
// way, with the default weights and constraints.
BalanceProblem defaultBalanceProblem(const Model& m);
const std::vector<double>& defaultBalanceSettings();

// A dimension by its code name ("LinkPivotHorz"), or nullptr.
const DimensionInfo* dimensionByName(const std::string& name);

// What is wrong with a problem for this gear, in one line, or "" when
// nothing is: no dimension to vary, one named twice, a bound that is not a
// number, empty or inverted, a range that leaves out the current value, no
// setting or too many, a setting, cut-off or weight that is not a finite
// number, a negative weight, all weights 0, or a constraint that is no number.
std::string balanceProblemError(const Model& m, const BalanceProblem& p);
// Weights beyond kLargestWeight scaled down so the largest is 1, with a
// sentence saying so, or "" where they are left alone.
std::string rescaleBalanceWeights(BalanceProblem& p);

// The compared settings, in order: for the mean cut-off objective each
// cut-off forward, then each in reverse; for positions the fractions.
struct ComparedSetting {
    bool byCutOff = false;
    bool forward = true; // by cut-off: the running direction
    double value = 0;    // the mean cut-off percent, or the fraction
};
std::vector<ComparedSetting> comparedSettings(const BalanceProblem& p);
// "Fwd 25 %", "Rev 50 %", "-0.50".
std::string comparedSettingName(const ComparedSetting& s);

// The reverse-arm setting of a fraction for a design whose mid gear is
// current: mid gear plus the fraction of the normal distance, kept within the
// reverse arm's travel.
Real balanceSetting(const Model& m, double fraction);
std::vector<Real> balanceSettings(const Model& m, const std::vector<double>& fractions);

// A setting's events can be balanced: no geometry error anywhere on the turn,
// and each end with exactly one admission and one cut-off.
bool balanceFeasible(const SettingEvents& s);

// The design with `values` (one per variable) stored through storeDimension,
// with its own mid gear.
void storeBalanceValues(Model& m, const BalanceProblem& p, const std::vector<Real>& values);
std::vector<Real> currentBalanceValues(const Model& m, const BalanceProblem& p);

// The constraints as numbers, fixed from the starting design.
struct BalanceLimits {
    double leadFloor = 0, leadCeiling = 0;
    double fullGearCutOff[2] = {0, 0}; // least mean cut-off at full gear: forward, reverse
    bool fullGear = false;             // full gear is looked at
    bool noOverTravel = true;
};

// A candidate as judged: whether it may be chosen, and J.
struct BalanceValue {
    bool feasible = false;
    double j = 0; // finite where feasible
};

// The objective of one problem from one starting design. Evaluating a
// candidate reuses the same scratch model and event storage. Everything a
// candidate's value depends on is fixed when the objective is made, so the
// same values always give the same J, whatever was evaluated before.
class BalanceObjective {
  public:
    BalanceObjective(const Model& start, BalanceProblem problem);

    const BalanceProblem& problem() const { return problem_; }
    const std::vector<ComparedSetting>& compared() const { return compared_; }
    bool startFeasible() const { return start_.feasible; }
    double startValue() const { return start_.j; }
    // Why the starting design cannot be balanced ("" where it can).
    const std::string& startInfeasibility() const { return startReason_; }
    const std::vector<Real>& startValues() const { return startValues_; }
    const BalanceLimits& limits() const { return limits_; }
    // Positions: the starting design's mean cut-off per setting (NaN where
    // absent). Mean cut-off: the targets.
    const std::vector<double>& targets() const { return targets_; }
    // The lead scale L0 of the mean cut-off objective.
    double leadScale() const { return leadScale_; }

    // The candidate with these values (one per variable, each stored as a
    // 4-byte real). Its settings are computed on `threads` threads (at
    // first one per core); the value is the same whatever the count.
    BalanceValue evaluate(const double* values);
    void setThreads(int threads) { threads_ = threads; }
    // J of events at the compared settings (and at full gear, forward then
    // reverse, where the limits look there), or infeasible.
    BalanceValue value(const std::vector<SettingEvents>& events,
                       const std::vector<SettingEvents>& fullGear) const;
    // Why the last evaluated candidate is ruled out, naming the first
    // setting or limit at fault, or "".
    std::string infeasibility() const;

    // The candidate of the last evaluate() and its events.
    const Model& candidate() const { return scratch_; }
    const std::vector<SettingEvents>& candidateEvents() const { return events_; }
    const std::vector<SettingEvents>& candidateFullGear() const { return fullGear_; }

  private:
    bool computeEvents(bool fromStart);
    double objectiveValue(const std::vector<SettingEvents>& events) const;
    std::string violation(const std::vector<SettingEvents>& events,
                          const std::vector<SettingEvents>& fullGear) const;

    BalanceProblem problem_;
    std::vector<ComparedSetting> compared_;
    Model scratch_;
    int threads_;
    std::vector<SettingEvents> events_, fullGear_;
    std::vector<CutOffSettingGuess> guesses_;
    std::vector<char> found_;    // per compared setting (written by several threads)
    std::vector<Model> workers_; // the other threads' copies of the candidate
    std::vector<double> targets_;
    std::vector<Real> startValues_;
    BalanceLimits limits_;
    // Whether the starting design's full gear over-travels: [direction][end].
    bool startOverTravel_[2][2] = {};
    double leadScale_ = kLeadScale;
    BalanceValue start_;
    std::string startReason_;
};

} // namespace corvellan
