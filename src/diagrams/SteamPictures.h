#pragma once
// The pictures of the steam in the cylinder, drawn against the Canvas so the
// windows, the picture files and the tests share them:
//
// - the indicator diagram: the pressure in each end against the piston's
//   travel over the settled revolution, at one or more settings, with the
//   chest and back pressure, each end's ideal cycle dashed beside it, a
//   second gear dashed over the first, and a legend of each setting's
//   figures;
// - the performance chart: the mean effective pressure against cut-off over
//   the sweep of settings at several speeds, and the indicated power and the
//   steam rate against speed at the diagram positions.
//
// The charts hold their figures ready to draw, already in the user's units
// (pressures gauge, except the mean effective pressures), so the drawing
// knows nothing of the physics that produced them.

#include "view/Canvas.h"

#include <optional>
#include <string>
#include <vector>

namespace corvellan {

using ChartFigure = std::optional<double>;

// One closed loop: the piston's travel in percent of stroke from the front
// dead centre, and the pressure (gauge) at each point.
struct PressureLoop {
    std::vector<double> travelPct, pressure;
};

struct IndicatorEndCurve {
    PressureLoop computed, ideal;
    ChartFigure mep, idealMep;
};

struct IndicatorSettingCurve {
    std::string label; // "Fwd at -1.50000"
    IndicatorEndCurve front, rear;
    ChartFigure power, steamRate, workDifferencePct;
    bool settled = true;
    bool geometryError = false;
};

struct SteamUnits {
    std::string pressure = "psi", power = "hp", steamRate = "lb/(hp·h)";
};

struct IndicatorChart {
    std::string title;
    SteamUnits units;
    double chestPressure = 0, backPressure = 0; // gauge
    std::vector<IndicatorSettingCurve> settings;
    // A second gear's settings, drawn dashed over the first; none when empty.
    std::vector<IndicatorSettingCurve> compared;
    std::string comparedName;
};

struct PictureExtent {
    int width = 0, height = 0;
};

// The picture grows with the legend: a line per setting of either gear.
PictureExtent indicatorChartSize(const IndicatorChart& chart);
void drawIndicatorChart(const IndicatorChart& chart, Canvas& c);

// The colour of the k-th setting in both pictures.
Rgb settingColour(int k);

// One setting of the sweep at one speed.
struct PerformancePoint {
    ChartFigure cutOffFront, cutOffRear; // percent
    ChartFigure mepFront, mepRear, mepMean;
    bool forward = true; // the forward half of the sweep (mid gear included)
};

struct PerformanceChart {
    std::string title;
    SteamUnits units;
    std::vector<double> speeds;                     // rpm
    std::vector<std::vector<PerformancePoint>> sweep; // [speed][setting]
    struct Position {
        std::string label;
        std::vector<ChartFigure> power, steamRate; // [speed]
    };
    std::vector<Position> positions;
};

constexpr PictureExtent kPerformanceChartSize{760, 760};
void drawPerformanceChart(const PerformanceChart& chart, Canvas& c);

} // namespace corvellan
