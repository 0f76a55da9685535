#pragma once
// Balancing a gear: the choice of dimensions that may change, their bounds,
// the settings the two cylinder ends are made alike at, and the objective
// that measures how unlike they are. For the settings s,
//
//   J = sum_s [ wc (CF - CR)^2 + wl ((LF - LR) / 0.001)^2 + wk ((CF + CR)/2 - M)^2 ]
//
// with CF, CR the front and rear cut-off percent in the setting's running
// direction, LF, LR the front and rear lead, and M the mean cut-off of the
// starting design at that setting, so the gear keeps its cut-off range while
// its ends are made alike. Each candidate is judged at its own mid gear and
// normal distance. The search itself is in BalanceSearch.h.

#include "model/Model.h"
#include "analysis/ValveEvents.h"

#include <string>
#include <vector>

namespace corvellan {

// The lead difference is counted in thousandths of a length unit.
constexpr double kLeadScale = 0.001;

struct BalanceVariable {
    int code = 0;
    Ext low = 0;
    Ext high = 0;
};

struct BalanceWeights {
    double cutOff = 1; // wc: front against rear cut-off
    double lead = 1;   // wl: front against rear lead
    double mean = 1;   // wk: the mean cut-off kept where it was
};

struct BalanceProblem {
    std::vector<BalanceVariable> vary;
    // Fractions of RevArmToCentNorm from mid gear: -1 is the normal forward
    // setting, 1 the normal reverse one.
    std::vector<double> settings;
    BalanceWeights weights;
};

// The default bounds of a dimension: 10 % of its value either side, 10
// degrees for the eccentric crank angle, 0.1 where the value is 0.
BalanceVariable defaultBalanceBounds(const Model& m, int code);
// The eccentric crank angle, the link pivot and the valve lever, each within
// its default bounds, at -1, -0.5, 0.5 and 1, with weights 1, 1, 1.
BalanceProblem defaultBalanceProblem(const Model& m);
const std::vector<double>& defaultBalanceSettings();

// A dimension by its code name ("LinkPivotHorz"), or nullptr.
const DimensionInfo* dimensionByName(const std::string& name);

// What is wrong with a problem for this gear, in one line, or "" when
// nothing is: no dimension to vary, one named twice, a bound that is not a
// number, empty or inverted, a range that leaves out the current value, no
// setting, a setting or weight that is not a finite number, a negative
// weight, or all weights 0.
std::string balanceProblemError(const Model& m, const BalanceProblem& p);

// The reverse-arm setting of a fraction for a design whose mid gear is
// current: mid gear plus the fraction of the normal distance, kept within the
// reverse arm's travel.
Real balanceSetting(const Model& m, double fraction);
std::vector<Real> balanceSettings(const Model& m, const std::vector<double>& fractions);

// A setting's events can be balanced: no geometry error anywhere on the turn,
// and each end with exactly one admission and one cut-off.
bool balanceFeasible(const SettingEvents& s);
// Why the events at these settings rule a design out, naming the first
// setting at fault, or "" when they do not.
std::string balanceInfeasibility(const std::vector<double>& fractions,
                                 const std::vector<SettingEvents>& events);

// The design with `values` (one per variable) stored through storeDimension,
// with its own mid gear.
void storeBalanceValues(Model& m, const BalanceProblem& p, const std::vector<Real>& values);
std::vector<Real> currentBalanceValues(const Model& m, const BalanceProblem& p);

// The objective of one problem from one starting design. Evaluating a
// candidate reuses the same scratch model and event storage, so a search
// allocates nothing per call.
class BalanceObjective {
  public:
    BalanceObjective(const Model& start, BalanceProblem problem);

    const BalanceProblem& problem() const { return problem_; }
    bool startFeasible() const { return startValue_ < kInfeasible; }
    double startValue() const { return startValue_; }
    // M per setting: the starting design's mean cut-off (NaN where absent).
    const std::vector<double>& targets() const { return targets_; }
    const std::vector<Real>& startValues() const { return startValues_; }

    // The candidate with these values (one per variable, each stored as a
    // 4-byte real): J, or kInfeasible.
    double evaluate(const double* values);
    // J of events computed at the problem's settings, or kInfeasible.
    double value(const std::vector<SettingEvents>& events) const;

    // The candidate of the last evaluate() and its events.
    const Model& candidate() const { return scratch_; }
    const std::vector<SettingEvents>& candidateEvents() const { return events_; }

    static constexpr double kInfeasible = 1e300;

  private:
    void computeEventsAtSettings();

    BalanceProblem problem_;
    Model scratch_;
    std::vector<SettingEvents> events_;
    std::vector<double> targets_;
    std::vector<Real> startValues_;
    double startValue_ = kInfeasible;
};

} // namespace corvellan
