#pragma once
// Sweeps: the events over a grid of one, two or three dimensions. Axis a
// runs from its low to its high value in n_a points, point i at
// low + (high - low) i / (n_a - 1) (stored as a 4-byte real); the grid holds
// every combination, the last axis running fastest. Each grid point is a
// design judged at its own mid gear plus each setting's distance from the
// starting design's (DesignFigures.h). The grid is computed in blocks handed
// on in order, so a sweep of a million points is written as it goes and
// never held whole.

#include "analysis/DesignFigures.h"
#include "analysis/Parallel.h"

#include <functional>
#include <string>
#include <vector>

namespace corvellan {

constexpr int kMaxSweepAxes = 3;
constexpr int kMaxAxisPoints = 1000;
constexpr long long kMaxGridPoints = 1000000;

struct SweepAxis {
    int code = 0;
    Ext low = 0, high = 0;
    int points = 0;

    Real valueAt(int i) const;
};

struct SweepOptions {
    std::vector<SweepAxis> axes;
    std::vector<Ext> offsets; // settings, as distances from mid gear
    int threads = 1;
};

// What is wrong with the options, in one line, or "": no axis or more than
// three, an unknown or repeated dimension, a bound that is not a finite
// number, fewer than 2 or more than 1,000 points on an axis, more than
// 1,000,000 points in all, no setting.
std::string sweepError(const SweepOptions& o);
long long gridPoints(const SweepOptions& o);

struct SweepSettingFigures {
    Real revArmPos = 0;            // this design's own setting
    const char* direction = "Fwd"; // as the events report names it
    bool judgeable = false;        // see DesignFigures.h
    bool geometryError = false;
    DesignFigures figures{};
};

struct SweepPoint {
    long long index = 0;
    std::array<int, kMaxSweepAxes> at{}; // the point's place on each axis
    std::array<Real, kMaxSweepAxes> values{};
    std::vector<SweepSettingFigures> settings;
};

// Called with each block of points, in grid order, on the calling thread.
using SweepSink = std::function<void(const std::vector<SweepPoint>& block)>;

// Runs the sweep (the options must be free of errors); false when the
// progress asked to stop (the blocks handed on so far are whole).
bool runSweep(const Model& base, const SweepOptions& options, const SweepSink& sink,
              StudyProgress* progress = nullptr);

// The whole grid at once, for the windows: false when stopped.
bool computeSweep(const Model& base, const SweepOptions& options, std::vector<SweepPoint>& out,
                  StudyProgress* progress = nullptr);

} // namespace corvellan
