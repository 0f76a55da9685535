#pragma once
// The tolerance study: many gears built within the drawing's tolerances and
// with worn pins, each solved and its events found, and the spread of every
// event figure over them.
//
// Sample k (k = 0 .. N-1) takes each dimension x as x + t (2u - 1), with t
// its tolerance and u uniform in [0, 1): every value within +-t equally
// likely. Each pin joint of the linkage gets a fixed offset between its two
// members' centres, uniform over the disc of the pin clearance c: radius
// c sqrt(u), direction 2 pi v. The numbers u, v of sample k come from
// (seed, k) alone, so a study gives the same samples bit for bit whatever
// the threads. Each sample is judged at its own mid gear plus each setting's
// distance from the starting design's (DesignFigures.h).
//
// A sample that cannot be judged at a setting (it cannot be assembled at
// some angle, or an end has no single admission and cut-off) is left out of
// that setting's figures and counted; the study counts the samples left out
// anywhere.

#include "analysis/DesignFigures.h"
#include "analysis/Parallel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvellan {

constexpr long long kMaxSamples = 10000000;
constexpr long long kDefaultSamples = 10000;
constexpr double kDefaultLengthTolerance = 0.005; // length units
constexpr double kDefaultAngleTolerance = 0.25;   // degrees
constexpr double kDefaultCutOffLimit = 2.0;       // percent of stroke
constexpr int kHistogramBins = 40;

struct ToleranceOptions {
    long long samples = kDefaultSamples;
    std::uint64_t seed = 1;
    // One per dimension, in the order of allDimensions().
    std::vector<Ext> tolerances;
    double pinClearance = 0;
    std::vector<Ext> offsets; // settings, as distances from mid gear
    // The share of samples whose |front - rear cut-off| exceeds this, in
    // percent of stroke, is reported.
    double cutOffLimit = kDefaultCutOffLimit;
    int threads = 1;
    // Also find the linear estimate of each figure's worst departure from
    // the sensitivities (Sensitivity.h), for comparison.
    bool linearBounds = false;
};

// The defaults: every length +-0.005, the eccentric crank angle +-0.25
// degrees, and the two distances of the reverse-arm settings (which say
// where the driver sets the gear, not how it is built) exactly as drawn.
std::vector<Ext> defaultTolerances();

// What is wrong with the options for this gear, in one line, or "": a
// tolerance or clearance that is negative or not a finite number, a
// tolerance larger than a length it applies to (a position, such as the
// link pivot's, may have any), a clearance larger than the shortest member
// it joins, a sample count outside 1 .. 10,000,000, a limit that is not a
// finite number, no setting.
std::string toleranceError(const Model& base, const ToleranceOptions& o);

// Mean and standard deviation (of the sample, n - 1) from the values in
// full; the 5 % and 95 % points interpolated between the sorted values, kept
// as 4-byte reals (a study may hold ten million of them).
struct FigureSpread {
    long long count = 0; // samples with the figure
    double mean = 0, std = 0, p5 = 0, p95 = 0, min = 0, max = 0;
    // kHistogramBins equal bins from min to max (the last one closed).
    std::vector<long long> histogram;
};

struct SettingSpread {
    Real revArmPos = 0;            // the starting design's setting
    const char* direction = "Fwd"; // as the events report names it
    DesignFigures nominal{};
    std::array<std::optional<FigureSpread>, kDesignFigures> figures{};
    long long infeasible = 0;  // samples left out at this setting
    double shareOverLimit = 0; // of the samples judged
    // The linear estimate of |figure - nominal| at most, where asked for.
    DesignFigures linearBound{};
};

struct ToleranceReport {
    long long samples = 0;
    std::uint64_t seed = 0;
    long long infeasible = 0; // samples left out at one setting or more
    double pinClearance = 0;
    double cutOffLimit = 0;
    std::vector<SettingSpread> settings;
    bool stopped = false; // asked to stop: the report is incomplete
};

// The gear of sample `index`: its dimensions (mid gear not yet found) and
// its joints' offsets.
void sampleGear(const Model& base, const ToleranceOptions& o, long long index, Model& gear,
                JointOffsets& wear);

// The study, setting after setting; the options must be free of errors.
ToleranceReport computeTolerance(const Model& base, const ToleranceOptions& options,
                                 StudyProgress* progress = nullptr);

} // namespace corvellan
