#include "analysis/CutOffSetting.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace corvellan {

namespace {

constexpr int kMaxIterations = 40;
// The search keeps this fraction of the travel clear of mid gear, where the
// ports hardly open and the cut-off is not defined.
constexpr Ext kNearMidGear = 1e-3L;

struct Trial {
    Ext x = 0;
    double g = 0; // mean cut-off minus target
};

class Finder {
  public:
    Finder(Model& m, bool forward, double target, SettingEvents& best)
        : m_(m), forward_(forward), target_(target), best_(best), cen_(m.gear.RevArmCen()),
          max_(m.frame.RevArmToCentMax) {}

    CutOffSettingResult run(const CutOffSettingGuess& guess) {
        CutOffSettingResult r;
        if (!std::isfinite(cen_) || !(max_ > 0) || !std::isfinite(max_) || !std::isfinite(target_))
            return r;
        const Ext lo = kNearMidGear * max_, hi = max_;
        Ext x = guess.distance > 0 && std::isfinite(guess.distance) ? guess.distance : hi / 2;
        x = std::clamp(x, lo, hi);
        double slope = guess.slope > 0 && std::isfinite(guess.slope)
                           ? guess.slope
                           : static_cast<double>(target_ / static_cast<double>(x));
        Trial t = evaluate(x, r);
        Trial previous = t;
        bool havePrevious = false;
        std::optional<Trial> below, above; // g < 0 and g > 0
        bool collapsed = false;
        for (int i = 0; i < kMaxIterations && std::fabs(t.g) > kCutOffSettingTolerance; ++i) {
            (t.g < 0 ? below : above) = t;
            Ext next;
            if (below && above) {
                // Regula falsi inside the bracket, bisection where it stalls.
                next = below->x - below->g * (above->x - below->x) / (above->g - below->g);
                const Ext a = std::min(below->x, above->x), b = std::max(below->x, above->x);
                const Ext width = b - a;
                if (!(next > a + width / 16 && next < b - width / 16)) next = (a + b) / 2;
                if (!(settingOf(next) != settingOf(a) && settingOf(next) != settingOf(b))) {
                    collapsed = true; // no 4-byte setting left between the two
                    break;
                }
            } else {
                if (havePrevious && t.x != previous.x) {
                    const double s = (t.g - previous.g) / static_cast<double>(t.x - previous.x);
                    if (s > 0 && std::isfinite(s)) slope = s;
                }
                next = t.x - t.g / slope;
                // Never more than doubling or halving the distance in one step.
                next = std::clamp(next, t.x / 2, t.x * 2);
                next = std::clamp(next, lo, hi);
                if (settingOf(next) == settingOf(t.x)) {
                    // At an end of the travel and still short of the target.
                    if ((t.g < 0 && t.x >= hi) || (t.g > 0 && t.x <= lo)) return r;
                    next = t.g < 0 ? hi : lo;
                }
            }
            previous = t;
            havePrevious = true;
            t = evaluate(next, r);
        }
        // Where the mean cut-off steps by more than the tolerance between two
        // neighbouring 4-byte settings, the nearer of them, within a hundredth
        // of a point.
        const double accept = collapsed ? 1e-2 : kCutOffSettingTolerance;
        if (!bestTrial_ || std::fabs(bestTrial_->g) > accept) return r;
        r.found = true;
        r.revArmPos = settingOf(bestTrial_->x);
        r.distance = bestTrial_->x;
        if (below && above && above->x != below->x)
            slope = (above->g - below->g) / static_cast<double>(above->x - below->x);
        r.slope = slope;
        return r;
    }

  private:
    Real settingOf(Ext x) const { return clampToReal(forward_ ? cen_ - x : cen_ + x); }

    Trial evaluate(Ext x, CutOffSettingResult& r) {
        ++r.evaluations;
        computeSettingEvents(m_, settingOf(x), forward_, trial_);
        const Figure mean = meanCutOff(trial_);
        // No cut-off: the port does not open and close once, which near mid
        // gear means it hardly opens; count it as no admission at all.
        Trial t{x, mean ? *mean - target_ : -target_};
        if (!std::isfinite(t.g)) t.g = -target_;
        if (mean && (!bestTrial_ || std::fabs(t.g) < std::fabs(bestTrial_->g))) {
            bestTrial_ = t;
            std::swap(best_, trial_);
        }
        return t;
    }

    Model& m_;
    bool forward_;
    double target_;
    SettingEvents& best_;
    SettingEvents trial_;
    std::optional<Trial> bestTrial_;
    Ext cen_, max_;
};

} // namespace

Figure meanCutOff(const SettingEvents& s) {
    if (s.front.cutOffPct && s.rear.cutOffPct) return (*s.front.cutOffPct + *s.rear.cutOffPct) / 2;
    return std::nullopt;
}

CutOffSettingResult findCutOffSetting(Model& scratch, bool forward, double targetPct,
                                      const CutOffSettingGuess& guess, SettingEvents& events) {
    Finder finder(scratch, forward, targetPct, events);
    return finder.run(guess);
}

} // namespace corvellan
