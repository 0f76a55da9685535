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
std::vector<std::vector<double>> latinHypercube(size_t n, int count, std::uint64_t seed) {
    SplitMix random(seed);
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

// The search works in coordinates scaled to [0, 1] on every dimension's
// range, so an angle in degrees and a length in units weigh alike.
class Search {
  public:
    Search(BalanceObjective& f, const BalanceSearchOptions& o, BalanceProgress* progress)
        : f_(f), o_(o), progress_(progress), n_(f.problem().vary.size()), values_(n_) {
        best_.before = best_.after = f.startValue();
        best_.values = f.startValues();
    }

    BalanceOutcome run() {
        if (!f_.startFeasible()) return best_;
        report();
        std::vector<std::vector<double>> starts{unitOf(f_.startValues())};
        for (auto& p : latinHypercube(n_, o_.extraStarts, o_.seed))
            starts.push_back(std::move(p));
        for (size_t i = 0; i < starts.size() && !stopping(); ++i) {
            const int left = o_.maxEvaluations - best_.evaluations;
            const int runsLeft = static_cast<int>(starts.size() - i);
            const int budget = i + 1 == starts.size() ? left : left / runsLeft;
            if (budget < kSmallestRun) break;
            localRun(starts[i], budget);
        }
        best_.stopped = stopRequested();
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

    double evaluate(const double* u) {
        bool same = haveLast_;
        for (size_t i = 0; i < n_; ++i) {
            const double v = valueOf(i, u[i]);
            same = same && v == values_[i];
            values_[i] = v;
        }
        // A local run begins where its starting point was just judged.
        if (same) return lastValue_;
        const double j = lastValue_ = f_.evaluate(values_.data());
        haveLast_ = true;
        ++best_.evaluations;
        if (j < best_.after) {
            best_.after = j;
            std::copy(values_.begin(), values_.end(), best_.values.begin());
        }
        report();
        return j;
    }

    void report() {
        if (!progress_) return;
        progress_->evaluations.store(best_.evaluations, std::memory_order_relaxed);
        progress_->best.store(best_.after, std::memory_order_relaxed);
    }

    bool stopRequested() const { return progress_ && progress_->stop.load(); }
    bool stopping() const { return stopRequested() || best_.evaluations >= o_.maxEvaluations; }

    static double callback(unsigned, const double* u, double*, void* data) {
        Search& s = *static_cast<Search*>(data);
        if (s.stopRequested()) {
            s.opt_->force_stop();
            return s.penalty_;
        }
        const double j = s.evaluate(u);
        // Where the ends cannot be balanced the local method sees a value worse
        // than its start, not an infinity that would wreck its model.
        return j < BalanceObjective::kInfeasible ? j : s.penalty_;
    }

    void localRun(std::vector<double> u, int budget) {
        const double first = evaluate(u.data());
        if (first >= BalanceObjective::kInfeasible) return; // no balance to improve from here
        penalty_ = 10 * (std::max(first, f_.startValue()) + 1);
        // BOBYQA needs two variables at least; one is left to COBYLA.
        nlopt::opt opt(n_ >= 2 ? nlopt::LN_BOBYQA : nlopt::LN_COBYLA, static_cast<unsigned>(n_));
        opt_ = &opt;
        opt.set_lower_bounds(0.0);
        opt.set_upper_bounds(1.0);
        opt.set_min_objective(&Search::callback, this);
        opt.set_ftol_rel(o_.relTolerance);
        opt.set_xtol_abs(o_.stepTolerance);
        opt.set_maxeval(budget - 1);
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

    BalanceObjective& f_;
    const BalanceSearchOptions& o_;
    BalanceProgress* progress_;
    size_t n_;
    std::vector<double> values_;
    BalanceOutcome best_;
    nlopt::opt* opt_ = nullptr;
    double penalty_ = 0;
    double lastValue_ = 0;
    bool haveLast_ = false;
};

} // namespace

BalanceOutcome searchBalance(BalanceObjective& objective, const BalanceSearchOptions& options,
                             BalanceProgress* progress) {
    Search search(objective, options, progress);
    return search.run();
}

} // namespace corvellan
