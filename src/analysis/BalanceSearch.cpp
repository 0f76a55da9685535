#include "analysis/BalanceSearch.h"

#include <nlopt.hpp>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace corvellan {

namespace {

// Fewer than this many evaluations left are not worth another local run.
constexpr int kSmallestRun = 20;
// The first trust region of a local run, as a fraction of each range.
constexpr double kFirstStep = 0.1;
// Runs from the best design with what a stage's budget leaves.
constexpr int kPolishRuns = 3;
// The share of a stage's budget its global search takes, where it has one.
constexpr double kGlobalShare = 0.4;

// A small generator of its own, so the starting points are the same on every
// platform (the standard distributions are not).
class SplitMix {
  public:
    explicit SplitMix(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    size_t below(size_t n) { return static_cast<size_t>(next() % n); }

  private:
    std::uint64_t state_;
};

// `count` points in [0, 1]^n, one in each of `count` slices of every axis.
std::vector<std::vector<double>> latinHypercube(size_t n, int count, SplitMix& random) {
    std::vector<std::vector<double>> points(static_cast<size_t>(count), std::vector<double>(n));
    std::vector<size_t> slices(static_cast<size_t>(count));
    for (size_t axis = 0; axis < n; ++axis) {
        for (size_t i = 0; i < slices.size(); ++i)
            slices[i] = i;
        for (size_t i = slices.size(); i > 1; --i)
            std::swap(slices[i - 1], slices[random.below(i)]);
        for (size_t i = 0; i < slices.size(); ++i)
            points[i][axis] = (static_cast<double>(slices[i]) + random.unit()) / count;
    }
    return points;
}

bool isEccentricAngle(int code) {
    return code == EccCrankAngleDegCode;
}

bool isDefaultRemedy(int code) {
    const auto& d = defaultBalanceCodes();
    return std::find(d.begin(), d.end(), code) != d.end();
}

int stageBudget(size_t variables, const BalanceSearchOptions& o) {
    return std::max(kSmallestRun, o.evaluationsPerVariable) * static_cast<int>(variables);
}

// The search works in coordinates scaled to [0, 1] on every dimension's
// range, so an angle in degrees and a length in units weigh alike. A stage
// moves only its own variables; the others stay at the best design's.
class Search {
  public:
    Search(BalanceObjective& f, const BalanceSearchOptions& o, BalanceProgress* progress)
        : f_(f), o_(o), progress_(progress), n_(f.problem().vary.size()), values_(n_),
          random_(o.seed) {
        best_.before = best_.after = f.startValue();
        best_.feasible = f.startFeasible();
        best_.values = f.startValues();
        bestUnit_ = unitOf(f.startValues());
    }

    BalanceOutcome run() {
        if (f_.startFeasible()) {
            report();
            const auto stages = balanceStages(f_.problem());
            for (size_t s = 0; s < stages.size() && !stopping(); ++s)
                runStage(stages[s]);
        }
        best_.stopped = stopRequested();
        best_.atBound.clear();
        for (size_t i = 0; i < n_; ++i)
            best_.atBound.push_back(onBound(f_.problem().vary[i], best_.values[i]));
        return best_;
    }

  private:
    std::vector<double> unitOf(const std::vector<Real>& values) const {
        std::vector<double> u(n_);
        for (size_t i = 0; i < n_; ++i) {
            const BalanceVariable& v = f_.problem().vary[i];
            u[i] =
                std::clamp(static_cast<double>((values[i] - v.low) / (v.high - v.low)), 0.0, 1.0);
        }
        return u;
    }

    // The value a scaled coordinate stands for, as the 4-byte real it will
    // be stored as, never outside the bounds: rounding may cross a bound,
    // and the next real inward is then still inside (the current value is a
    // 4-byte real within them).
    Real valueOf(size_t i, double u) const {
        const BalanceVariable& v = f_.problem().vary[i];
        const Ext x = v.low + std::clamp(static_cast<Ext>(u), 0.0L, 1.0L) * (v.high - v.low);
        Real r = clampToReal(x);
        if (r < v.low) r = std::nextafter(r, INFINITY);
        if (r > v.high) r = std::nextafter(r, -INFINITY);
        return r;
    }

    // The full point of a stage's coordinates: its variables from `u`, the
    // others from the stage's base design.
    void place(const double* u) {
        for (size_t k = 0; k < active_.size(); ++k)
            point_[active_[k]] = u[k];
    }

    // J of the stage point `u` (the search's value for it), remembering the
    // best feasible design.
    double evaluate(const double* u, bool* feasible = nullptr) {
        place(u);
        bool same = haveLast_;
        for (size_t i = 0; i < n_; ++i) {
            const double v = valueOf(i, point_[i]);
            same = same && v == values_[i];
            values_[i] = v;
        }
        // A local run begins where its starting point was just judged.
        if (same) {
            if (feasible) *feasible = lastFeasible_;
            return lastValue_;
        }
        const BalanceValue j = f_.evaluate(values_.data());
        lastFeasible_ = j.feasible;
        lastValue_ = j.feasible ? j.j : penalty_;
        haveLast_ = true;
        ++best_.evaluations;
        if (j.feasible && j.j < best_.after) {
            best_.after = j.j;
            std::copy(values_.begin(), values_.end(), best_.values.begin());
            bestUnit_ = point_;
        }
        report();
        if (feasible) *feasible = j.feasible;
        return lastValue_;
    }

    void report() {
        if (!progress_) return;
        progress_->evaluations.store(best_.evaluations, std::memory_order_relaxed);
        progress_->best.store(best_.after, std::memory_order_relaxed);
    }

    bool stopRequested() const { return progress_ && progress_->stop.load(); }
    bool stageSpent() const { return best_.evaluations >= stageEnd_; }
    bool stopping() const { return stopRequested() || capReached(); }
    bool capReached() const {
        return o_.maxEvaluations > 0 && best_.evaluations >= o_.maxEvaluations;
    }

    static double callback(unsigned, const double* u, double*, void* data) {
        Search& s = *static_cast<Search*>(data);
        if (s.stopRequested() || s.stageSpent() || s.capReached()) {
            if (s.opt_) s.opt_->force_stop();
            return s.penalty_;
        }
        // Where the ends cannot be balanced the method sees a value worse
        // than its start, not an infinity that would wreck its model.
        return s.evaluate(u);
    }

    std::vector<double> stagePoint(const std::vector<double>& full) const {
        std::vector<double> u;
        for (size_t i : active_)
            u.push_back(full[i]);
        return u;
    }

    void runStage(const std::vector<size_t>& active) {
        active_ = active;
        const size_t k = active_.size();
        // The stage's budget, and the whole search's cap.
        stageEnd_ = best_.evaluations + stageBudget(k, o_);
        if (o_.maxEvaluations > 0) stageEnd_ = std::min(stageEnd_, o_.maxEvaluations);
        penalty_ = 10 * (best_.after + 1);
        // The base: the best design so far, its other variables held there.
        point_ = bestUnit_;
        const std::vector<double> fromBest = stagePoint(bestUnit_);
        const std::vector<double> fromStart = stagePoint(unitOf(f_.startValues()));

        std::vector<std::vector<double>> starts{fromBest};
        if (fromStart != fromBest) starts.push_back(fromStart);
        if (k > static_cast<size_t>(o_.globalAbove)) {
            globalRun(k, static_cast<int>(kGlobalShare * stageBudget(k, o_)));
            const std::vector<double> fromGlobal = stagePoint(bestUnit_);
            if (fromGlobal != fromBest) starts.insert(starts.begin(), fromGlobal);
            point_ = bestUnit_;
        }
        for (auto& p : latinHypercube(k, o_.extraStarts, random_))
            starts.push_back(std::move(p));

        for (size_t i = 0; i < starts.size() && !stopping() && !stageSpent(); ++i) {
            const int left = stageEnd_ - best_.evaluations;
            const int runsLeft = static_cast<int>(starts.size() - i);
            const int budget = i + 1 == starts.size() ? left : left / runsLeft;
            if (budget < kSmallestRun) break;
            const bool drawn = i >= starts.size() - static_cast<size_t>(o_.extraStarts);
            localRun(starts[i], budget, drawn);
        }
        // What is left of the budget goes to fresh runs from the best design,
        // whose new first steps may find what the last run's shrunken ones
        // could not (a best design on a limit stalls a run early).
        for (int polish = 0; polish < kPolishRuns && !stopping(); ++polish) {
            const int left = stageEnd_ - best_.evaluations;
            if (left < kSmallestRun) break;
            const double before = best_.after;
            localRun(stagePoint(bestUnit_), left, false);
            if (!(best_.after < before)) break;
        }
    }

    // A start that cannot be balanced is drawn again (a drawn one only).
    void localRun(std::vector<double> u, int budget, bool drawn) {
        const int began = best_.evaluations;
        bool feasible = false;
        double first = evaluate(u.data(), &feasible);
        // Drawn again once at random, then pulled halfway towards the
        // starting design each time: the best design often lies on a limit,
        // the start well inside them.
        const std::vector<double> toward = stagePoint(unitOf(f_.startValues()));
        for (int redraw = 0; !feasible && drawn && redraw < o_.redraws && !stopping(); ++redraw) {
            for (size_t k = 0; k < u.size(); ++k)
                u[k] = redraw == 0 ? random_.unit() : (u[k] + toward[k]) / 2;
            first = evaluate(u.data(), &feasible);
        }
        if (!feasible) return; // no balance to improve from here
        const int left = budget - (best_.evaluations - began);
        if (left < kSmallestRun) return;
        // BOBYQA needs two variables at least; one is left to COBYLA.
        const unsigned k = static_cast<unsigned>(u.size());
        nlopt::opt opt(k >= 2 ? nlopt::LN_BOBYQA : nlopt::LN_COBYLA, k);
        opt_ = &opt;
        opt.set_lower_bounds(0.0);
        opt.set_upper_bounds(1.0);
        opt.set_min_objective(&Search::callback, this);
        opt.set_ftol_rel(o_.relTolerance);
        opt.set_xtol_abs(o_.stepTolerance);
        opt.set_maxeval(left);
        opt.set_initial_step(kFirstStep);
        double minimum = first;
        try {
            opt.optimize(u, minimum);
        } catch (const std::exception&) {
            // A forced stop or a run limited by rounding: the best design seen
            // so far is kept either way.
        }
        opt_ = nullptr;
    }

    // NLopt's controlled random search over the stage's box: its own
    // population, seeded from the search's seed so it draws the same points
    // every run.
    void globalRun(size_t k, int budget) {
        if (budget < kSmallestRun || stopping()) return;
        nlopt::srand(o_.seed + k);
        nlopt::opt opt(nlopt::GN_CRS2_LM, static_cast<unsigned>(k));
        opt_ = &opt;
        opt.set_lower_bounds(0.0);
        opt.set_upper_bounds(1.0);
        opt.set_min_objective(&Search::callback, this);
        opt.set_maxeval(budget);
        std::vector<double> u = stagePoint(bestUnit_);
        double minimum = 0;
        try {
            opt.optimize(u, minimum);
        } catch (const std::exception&) {
        }
        opt_ = nullptr;
        point_ = bestUnit_;
    }

    BalanceObjective& f_;
    const BalanceSearchOptions& o_;
    BalanceProgress* progress_;
    size_t n_;
    std::vector<double> values_;
    std::vector<double> point_, bestUnit_;
    std::vector<size_t> active_;
    SplitMix random_;
    BalanceOutcome best_;
    nlopt::opt* opt_ = nullptr;
    int stageEnd_ = 0;
    double penalty_ = 0;
    double lastValue_ = 0;
    bool lastFeasible_ = false;
    bool haveLast_ = false;
};

} // namespace

std::vector<std::vector<size_t>> balanceStages(const BalanceProblem& p) {
    std::vector<std::vector<size_t>> stages;
    auto add = [&](auto keep) {
        std::vector<size_t> s;
        for (size_t i = 0; i < p.vary.size(); ++i)
            if (keep(p.vary[i].code)) s.push_back(i);
        if (!s.empty() && (stages.empty() || s.size() > stages.back().size()))
            stages.push_back(std::move(s));
    };
    add([](int code) { return isDefaultRemedy(code); });
    add([](int code) { return !isEccentricAngle(code); });
    add([](int) { return true; });
    return stages;
}

int balanceBudget(const BalanceProblem& p, const BalanceSearchOptions& o) {
    int total = 0;
    for (const auto& s : balanceStages(p))
        total += stageBudget(s.size(), o);
    return o.maxEvaluations > 0 ? std::min(total, o.maxEvaluations) : total;
}

BalanceOutcome searchBalance(BalanceObjective& objective, const BalanceSearchOptions& options,
                             BalanceProgress* progress) {
    if (progress) progress->budget.store(balanceBudget(objective.problem(), options));
    Search search(objective, options, progress);
    return search.run();
}

bool onBound(const BalanceVariable& v, Real value) {
    const Ext range = v.high - v.low;
    for (const Ext bound : {v.low, v.high}) {
        const Real inward = clampToReal(bound);
        if (std::fabs(static_cast<Ext>(value) - bound) <= 1e-6L * range) return true;
        if (value == inward ||
            value == std::nextafter(inward, bound == v.low ? INFINITY : -INFINITY))
            return true;
    }
    return false;
}

} // namespace corvellan
