#pragma once
// Plain x-y charts for the steam pictures: a scale with round ticks, a plot
// area that maps values to pixels, its framed axes with tick labels, and
// curves drawn as runs of joined points, broken where a value is missing or
// not finite. Internal to the diagrams library.

#include "view/Canvas.h"

#include <optional>
#include <string>
#include <vector>

namespace corvellan::chart {

// A range from `low` to `high` in ticks of `step`, each tick a round value.
struct Scale {
    double low = 0, high = 1, step = 0.2;
    // Decimals that tell the ticks apart.
    int decimals() const;
};

// Widens [low, high] to round ticks, about `ticks` of them; a flat or absent
// range gets room around its value, and a range that is not finite the unit
// range, so a chart never divides by nothing.
Scale niceScale(double low, double high, int ticks = 6);

// The span of the finite values seen so far.
struct Span {
    double low = 0, high = 0;
    bool any = false;
    void widen(double v);
    void widen(const std::optional<double>& v) {
        if (v) widen(*v);
    }
    void widen(const std::vector<double>& vs) {
        for (double v : vs)
            widen(v);
    }
    Scale scale(int ticks = 6) const { return any ? niceScale(low, high, ticks) : Scale{}; }
};

struct Plot {
    int left = 0, top = 0, right = 0, bottom = 0; // the frame, in pixels
    Scale x, y;
    int column(double v) const;
    int row(double v) const;
};

TextStyle chartFont(int size = 11, bool bold = false, Rgb colour = colours::Black);

// The frame, the ticks of both scales with their labels, `xTitle` centred
// below and `yTitle` above the left axis; a faint grid line at every tick.
void drawAxes(const Plot& p, const std::string& xTitle, const std::string& yTitle, Canvas& c);

// The points (xs[i], ys[i]) joined in order on the current pen; a missing
// or non-finite value breaks the run, and a lone point is drawn as a dot.
void drawRun(const Plot& p, const std::vector<double>& xs, const std::vector<std::optional<double>>& ys,
             Canvas& c);
void drawRun(const Plot& p, const std::vector<double>& xs, const std::vector<double>& ys, Canvas& c);

// A horizontal line across the plot at y = v, with `label` beyond its right
// end, outside the frame.
void drawLevel(const Plot& p, double v, Rgb colour, const std::string& label, Canvas& c);

// A short sample of a pen for a legend: a line 24 pixels long at (x, y).
void drawSample(int x, int y, Rgb colour, int width, bool dashed, Canvas& c);

// Shortest plain text of a figure with `decimals` places, "-" when absent.
std::string figureText(const std::optional<double>& v, int decimals);

} // namespace corvellan::chart
