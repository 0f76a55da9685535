#include "diagrams/ChartAxes.h"
#include "diagrams/DashedCanvas.h"
#include "diagrams/SteamPictures.h"
#include "model/Numeric.h"

#include <algorithm>
#include <cmath>

namespace corvellan {

namespace {

using chart::Plot;

constexpr int kMapLeft = 70, kMapRight = 740, kMapTop = 70, kMapBottom = 350;
constexpr int kSpeedKeyTop = 386;
constexpr int kSmallTop = 450, kSmallBottom = 690;
constexpr int kPowerLeft = 70, kPowerRight = 370, kRateLeft = 440, kRateRight = 740;
constexpr int kPositionKeyTop = 722;
// A steam rate beyond this many times the middle one (a setting near mid gear
// where the power is nearly nothing) would flatten every other curve.
constexpr double kRateCeilingFactor = 4;

// One end's (or the mean's) MEP against its cut-off, the forward and the
// reverse halves of the sweep each a run of its own.
void drawSweepCurve(const Plot& p, const std::vector<PerformancePoint>& points,
                    ChartFigure PerformancePoint::*mep, bool mean, bool front, Canvas& c) {
    for (bool forward : {true, false}) {
        std::vector<double> xs;
        std::vector<ChartFigure> ys;
        for (const PerformancePoint& pt : points) {
            if (pt.forward != forward) continue;
            ChartFigure cut = front ? pt.cutOffFront : pt.cutOffRear;
            if (mean)
                cut = pt.cutOffFront && pt.cutOffRear
                          ? ChartFigure((*pt.cutOffFront + *pt.cutOffRear) / 2)
                          : std::nullopt;
            if (!cut || !std::isfinite(*cut)) continue;
            xs.push_back(*cut);
            ys.push_back(pt.*mep);
        }
        // Drawn in order of cut-off, so a curve never doubles back on itself.
        std::vector<size_t> order(xs.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(),
                         [&xs](size_t a, size_t b) { return xs[a] < xs[b]; });
        std::vector<double> sx;
        std::vector<ChartFigure> sy;
        for (size_t i : order) {
            sx.push_back(xs[i]);
            sy.push_back(ys[i]);
        }
        chart::drawRun(p, sx, sy, c);
    }
}

void drawMepMap(const PerformanceChart& ch, Canvas& c) {
    chart::Span cut, mep;
    for (const std::vector<PerformancePoint>& points : ch.sweep)
        for (const PerformancePoint& pt : points) {
            cut.widen(pt.cutOffFront);
            cut.widen(pt.cutOffRear);
            mep.widen(pt.mepFront);
            mep.widen(pt.mepRear);
            mep.widen(pt.mepMean);
        }
    mep.widen(0.0);
    Plot p;
    p.left = kMapLeft;
    p.right = kMapRight;
    p.top = kMapTop;
    p.bottom = kMapBottom;
    p.x = cut.any ? chart::niceScale(std::min(cut.low, 0.0), std::max(cut.high, 10.0), 10)
                  : chart::Scale{0, 100, 10};
    p.y = mep.scale(7);
    chart::drawAxes(p, "Cut-off, % of stroke", "Mean effective pressure, " + ch.units.pressure,
                    c);
    for (size_t k = 0; k < ch.sweep.size(); ++k) {
        const Rgb colour = settingColour(static_cast<int>(k));
        c.setPen(colour, 2);
        drawSweepCurve(p, ch.sweep[k], &PerformancePoint::mepMean, true, true, c);
        c.setPen(colour, 1);
        drawSweepCurve(p, ch.sweep[k], &PerformancePoint::mepFront, false, true, c);
        DashedCanvas dashed(c, colour);
        dashed.setPen(colour, 1);
        drawSweepCurve(p, ch.sweep[k], &PerformancePoint::mepRear, false, false, dashed);
    }
    int x = 8;
    const TextStyle key = chart::chartFont();
    for (size_t k = 0; k < ch.speeds.size(); ++k) {
        const Rgb colour = settingColour(static_cast<int>(k));
        chart::drawSample(x, kSpeedKeyTop + 6, colour, 2, false, c);
        const std::string s = formatGeneral(ch.speeds[k], 6) + " rpm";
        c.text(x + 28, kSpeedKeyTop, s, chart::chartFont(11, false, colour));
        x += 28 + c.textWidth(s, key) + 16;
    }
    c.text(8, kSpeedKeyTop + 18,
           "Thick: the mean of the two ends, against the mean cut-off; thin: the front end; "
           "thin dashed: the rear end.",
           key);
}

// The figure of each position against speed; values above `ceiling` are left
// off.
void drawAgainstSpeed(const PerformanceChart& ch, int left, int right,
                      std::vector<ChartFigure> PerformanceChart::Position::*figure,
                      const std::string& title, bool capped, Canvas& c) {
    chart::Span span;
    std::vector<double> all;
    for (const PerformanceChart::Position& pos : ch.positions)
        for (const ChartFigure& v : pos.*figure)
            if (v && std::isfinite(*v)) all.push_back(*v);
    double ceiling = INFINITY;
    if (capped && !all.empty()) {
        std::vector<double> sorted = all;
        std::nth_element(sorted.begin(), sorted.begin() + static_cast<long>(sorted.size() / 2),
                         sorted.end());
        const double middle = sorted[sorted.size() / 2];
        if (middle > 0) ceiling = kRateCeilingFactor * middle;
    }
    bool cut = false;
    for (double v : all) {
        if (v > ceiling)
            cut = true;
        else
            span.widen(v);
    }
    span.widen(0.0);
    chart::Span speeds;
    speeds.widen(ch.speeds);
    speeds.widen(0.0);
    Plot p;
    p.left = left;
    p.right = right;
    p.top = kSmallTop;
    p.bottom = kSmallBottom;
    p.x = speeds.scale(5);
    p.y = span.scale(6);
    chart::drawAxes(p, "Speed, rpm", title, c);
    for (size_t k = 0; k < ch.positions.size(); ++k) {
        std::vector<ChartFigure> ys = ch.positions[k].*figure;
        for (ChartFigure& v : ys)
            if (v && *v > ceiling) v.reset();
        c.setPen(settingColour(static_cast<int>(k)), 2);
        chart::drawRun(p, ch.speeds, ys, c);
    }
    if (cut)
        c.text(left + 4, kSmallTop + 2,
               "above " + formatGeneral(ceiling, 3) + " left off", chart::chartFont(10));
}

} // namespace

void drawPerformanceChart(const PerformanceChart& ch, Canvas& c) {
    c.erase(colours::White);
    c.text(8, 8, ch.title, chart::chartFont(13, true));
    c.text(8, 28,
           "Above: the sweep from mid gear to full gear, forward and reverse, at each speed. "
           "Below: the diagram positions.",
           chart::chartFont());
    drawMepMap(ch, c);
    drawAgainstSpeed(ch, kPowerLeft, kPowerRight, &PerformanceChart::Position::power,
                     "Indicated power, " + ch.units.power, false, c);
    drawAgainstSpeed(ch, kRateLeft, kRateRight, &PerformanceChart::Position::steamRate,
                     "Steam rate, " + ch.units.steamRate, true, c);
    // The positions' key, on as many rows as it needs.
    int x = 8, row = kPositionKeyTop;
    const TextStyle key = chart::chartFont();
    for (size_t k = 0; k < ch.positions.size(); ++k) {
        const Rgb colour = settingColour(static_cast<int>(k));
        const std::string& s = ch.positions[k].label;
        const int w = 28 + c.textWidth(s, key) + 16;
        if (x > 8 && x + w > kPerformanceChartSize.width) {
            x = 8;
            row += 16;
        }
        chart::drawSample(x, row + 6, colour, 2, false, c);
        c.text(x + 28, row, s, chart::chartFont(11, false, colour));
        x += w;
    }
}

} // namespace corvellan
