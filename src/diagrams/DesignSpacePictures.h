#pragma once
// The pictures of the design-space tools, drawn against the Canvas so the
// windows, the picture files and the tests share them:
//
// - the sensitivity colour map: dimensions down, event figures across, each
//   cell coloured by its rate over the largest |rate| of its column (red
//   positive, blue negative, white none), grey where the figure has no rate,
//   crossed where it is not smooth;
// - the histogram of one figure of a tolerance study, with the nominal
//   value, the mean and the 5 % and 95 % points marked;
// - a sweep's chart: the figure against one dimension as a line, or over
//   two as a shaded map, the current design marked.

#include "analysis/Sensitivity.h"
#include "analysis/Sweep.h"
#include "analysis/Tolerance.h"
#include "view/Canvas.h"

#include <string>
#include <vector>

namespace corvellan {

struct PictureSize {
    int width = 0, height = 0;
};

// The colour of v in [-1, 1]: white at 0, full red at 1, full blue at -1.
Rgb signedColour(double v);
// The colour of t in [0, 1] on the map's ramp, navy to yellow.
Rgb rampColour(double t);

PictureSize sensitivityMapSize(const SettingRates& rates);
void drawSensitivityMap(const SettingRates& rates, Canvas& c);

constexpr PictureSize kHistogramSize{640, 410};
void drawToleranceHistogram(const ToleranceReport& report, int setting, int figure, Canvas& c);

// One figure of one setting of a sweep over one or two of its dimensions,
// ready to draw.
struct SweepChart {
    std::string title;
    std::string xName, yName; // yName empty: a line chart
    std::vector<double> xs, ys;
    std::vector<Figure> values;        // x major: values[i * ys.size() + j]; a line: values[i]
    bool percent = true;               // the figure is a percentage (else a length)
    double currentX = 0, currentY = 0; // the current design
    Figure currentValue;
};

// The chart of `figure` at `setting` of a computed sweep of one or two
// dimensions, from the figures of each grid point at that setting, the
// current design `m` marked; `direction` names the setting's.
SweepChart makeSweepChart(const Model& m, const SweepOptions& o,
                          const std::vector<DesignFigures>& points, const char* direction,
                          int setting, int figure, const Figure& currentValue);
constexpr PictureSize kSweepChartSize{640, 424};
void drawSweepChart(const SweepChart& chart, Canvas& c);

} // namespace corvellan
