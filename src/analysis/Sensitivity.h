#pragma once
// Sensitivity: how fast each event figure moves per unit of each dimension,
// at each setting, by central differences
//
//   r = (f(x + h) - f(x - h)) / (x+ - x-)
//
// with x+ and x- the values x +- h as stored (4-byte reals). The step is
// chosen per dimension and setting from a ladder h0, h0/2, h0/4, ...: the
// first step whose rates all move by under 1 % when it is halved (or by less
// than the events' own resolution over the step). A figure whose forward
// and backward differences,
//
//   (f(x+) - f(x)) / (x+ - x)   and   (f(x) - f(x-)) / (x - x-),
//
// disagree by more than 10 % of the larger is not smooth there: an edge
// starts or stops crossing, or the figure has a corner. A figure absent on
// either side has no rate.
//
// Every changed design is judged at its own mid gear plus the setting's
// distance from the starting design's mid gear (DesignFigures.h).

#include "analysis/DesignFigures.h"
#include "analysis/Parallel.h"

#include <optional>
#include <vector>

namespace corvellan {

// The first step of the ladder: a length unit's 1/250 for lengths, 1/25 of
// a degree for the angle.
constexpr Ext kLengthStep = 0.004L;
constexpr Ext kAngleStep = 0.04L;
// Halvings tried before the step is given up as unstable.
constexpr int kStepHalvings = 5;
// A rate is stable when halving its step moves it by less than this share.
constexpr double kStableShare = 0.01;
// Forward and backward differences further apart than this share of the
// larger: not smooth.
constexpr double kSmoothShare = 0.10;

struct FigureRate {
    Figure rate;        // per unit of the dimension; absent where the figure is
    bool smooth = true; // forward and backward differences agree
    // |r(h) - r(h/2)| / |r(h/2)| (0 where they are equal).
    double halvingChange = 0;
};

struct DimensionRates {
    int code = 0;
    double step = 0; // h
    // The step met the 1 % rule for every figure.
    bool stable = true;
    // The largest change on halving the step of a rate well above what the
    // events resolve over the step (under 1 % where stable).
    double halvingChange = 0;
    std::array<FigureRate, kDesignFigures> figures{};
    int eventsComputed = 0; // settings' events found for these rates

    // Every figure with a rate is smooth.
    bool smooth() const;
};

struct SettingRates {
    Real revArmPos = 0;            // the starting design's setting
    const char* direction = "Fwd"; // as the events report names it
    DesignFigures nominal{};
    std::vector<DimensionRates> dimensions; // in the order asked for
};

struct SensitivityOptions {
    std::vector<int> codes;   // empty: all 36, in their order
    std::vector<Ext> offsets; // settings, as distances from mid gear
    int threads = 1;
};

struct SensitivityReport {
    std::vector<SettingRates> settings;
    bool stopped = false; // asked to stop: the report is incomplete

    // The settings' events found, the starting design's included.
    long long eventsComputed() const;
};

SensitivityReport computeSensitivity(const Model& base, const SensitivityOptions& options,
                                     StudyProgress* progress = nullptr);

// The rates of the figures per unit offset of each pin joint's centres, in
// X and in Y, by central differences of `step`: the linear estimate of what
// a clearance does. [setting][joint][figure].
struct JointRate {
    Figure x, y;
};
using JointRates = std::vector<std::array<std::array<JointRate, kDesignFigures>, kPinJoints>>;
JointRates computeJointRates(const Model& base, const std::vector<Ext>& offsets,
                             double step = 1e-3);

// The linear estimate of a figure's largest departure from its nominal
// value over a study: the sum over dimensions of |rate| x tolerance, and over
// joints of clearance x the length of the joint's rate vector (the most a
// linear function moves over a disc). Absent where a rate is.
Figure linearWorstCase(const SettingRates& rates, const std::vector<Ext>& tolerances,
                       const std::array<std::array<JointRate, kDesignFigures>, kPinJoints>& joints,
                       double clearance, int figure);

// The ranked answer to "which dimensions bring front and rear cut-off
// together at this setting": each dimension with a rate of the cut-off
// difference, strongest first, with the move that alone would make the
// difference 0 by the linear estimate, and whether that move stays within
// the dimension's default balance bounds.
struct CutOffMove {
    int code = 0;
    double rate = 0; // of the cut-off difference, per unit
    double move = 0; // -difference / rate
    bool withinBounds = false;
    bool smooth = true;
};
std::vector<CutOffMove> rankCutOffMoves(const Model& base, const SettingRates& rates);

} // namespace corvellan
