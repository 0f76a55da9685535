#include "diagrams/ChartAxes.h"

#include "diagrams/DashedCanvas.h"
#include "model/Numeric.h"

#include <algorithm>
#include <cmath>

namespace corvellan::chart {

namespace {

constexpr Rgb kGridColour = 0xE4E4E4;
// More ticks than this would only mean the scale is broken.
constexpr int kMostTicks = 40;

} // namespace

int Scale::decimals() const {
    if (!(step > 0) || !std::isfinite(step)) return 0;
    const int d = static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    return std::clamp(d, 0, 6);
}

Scale niceScale(double low, double high, int ticks) {
    if (!std::isfinite(low) || !std::isfinite(high)) return Scale{};
    if (low > high) std::swap(low, high);
    if (!(high - low > 1e-9 * std::max(std::fabs(low), std::fabs(high)))) {
        const double pad = std::max(std::fabs(low) * 0.05, 1e-6);
        low -= pad;
        high += pad;
    }
    ticks = std::clamp(ticks, 2, kMostTicks / 2);
    const double raw = (high - low) / ticks;
    if (!std::isfinite(raw) || !(raw > 0)) return Scale{};
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double norm = raw / magnitude;
    const double step = (norm < 1.5 ? 1 : norm < 3 ? 2 : norm < 7 ? 5 : 10) * magnitude;
    Scale s;
    s.step = step;
    s.low = std::floor(low / step + 1e-9) * step;
    s.high = std::ceil(high / step - 1e-9) * step;
    if (!(s.high > s.low)) s.high = s.low + step;
    return s;
}

void Span::widen(double v) {
    if (!std::isfinite(v)) return;
    if (!any) low = high = v;
    low = std::min(low, v);
    high = std::max(high, v);
    any = true;
}

int Plot::column(double v) const {
    return left + roundToInt((v - x.low) / (x.high - x.low) * (right - left));
}

int Plot::row(double v) const {
    return bottom - roundToInt((v - y.low) / (y.high - y.low) * (bottom - top));
}

TextStyle chartFont(int size, bool bold, Rgb colour) {
    TextStyle s;
    s.pixelSize = size;
    s.bold = bold;
    s.colour = colour;
    return s;
}

void drawAxes(const Plot& p, const std::string& xTitle, const std::string& yTitle, Canvas& c) {
    const TextStyle small = chartFont(10);
    const int xTicks = std::min(kMostTicks, roundToInt((p.x.high - p.x.low) / p.x.step));
    const int yTicks = std::min(kMostTicks, roundToInt((p.y.high - p.y.low) / p.y.step));
    for (int t = 0; t <= xTicks; ++t) {
        const double v = p.x.low + t * p.x.step;
        const int col = p.column(v);
        c.setPen(kGridColour, 1);
        c.line(col, p.top, col, p.bottom);
        c.setPen(colours::Black, 1);
        c.line(col, p.bottom, col, p.bottom + 4);
        const std::string s = formatFixed(v, 0, p.x.decimals());
        c.text(col - c.textWidth(s, small) / 2, p.bottom + 6, s, small);
    }
    for (int t = 0; t <= yTicks; ++t) {
        const double v = p.y.low + t * p.y.step;
        const int row = p.row(v);
        c.setPen(kGridColour, 1);
        c.line(p.left, row, p.right, row);
        c.setPen(colours::Black, 1);
        c.line(p.left - 4, row, p.left, row);
        const std::string s = formatFixed(v, 0, p.y.decimals());
        c.text(p.left - 6 - c.textWidth(s, small), row - 6, s, small);
    }
    c.setPen(colours::Black, 1);
    const int xs[] = {p.left, p.right, p.right, p.left, p.left};
    const int ys[] = {p.bottom, p.bottom, p.top, p.top, p.bottom};
    c.polyline(xs, ys, 5);
    const TextStyle label = chartFont(11);
    c.text((p.left + p.right - c.textWidth(xTitle, label)) / 2, p.bottom + 20, xTitle, label);
    c.text(std::max(2, p.left - 40), p.top - 20, yTitle, label);
}

void drawRun(const Plot& p, const std::vector<double>& xs,
             const std::vector<std::optional<double>>& ys, Canvas& c) {
    std::vector<int> cols, rows;
    auto flush = [&] {
        if (cols.size() == 1) c.ellipse(cols[0] - 1, rows[0] - 1, cols[0] + 2, rows[0] + 2);
        if (cols.size() > 1) c.polyline(cols.data(), rows.data(), static_cast<int>(cols.size()));
        cols.clear();
        rows.clear();
    };
    const size_t n = std::min(xs.size(), ys.size());
    for (size_t i = 0; i < n; ++i) {
        if (!ys[i] || !std::isfinite(*ys[i]) || !std::isfinite(xs[i])) {
            flush();
            continue;
        }
        cols.push_back(p.column(xs[i]));
        rows.push_back(p.row(*ys[i]));
    }
    flush();
}

void drawRun(const Plot& p, const std::vector<double>& xs, const std::vector<double>& ys,
             Canvas& c) {
    std::vector<std::optional<double>> values(ys.begin(), ys.end());
    drawRun(p, xs, values, c);
}

void drawLevel(const Plot& p, double v, Rgb colour, const std::string& label, Canvas& c) {
    if (!std::isfinite(v) || v < p.y.low || v > p.y.high) return;
    const int row = p.row(v);
    c.setPen(colour, 1);
    c.line(p.left + 1, row, p.right, row);
    const TextStyle s = chartFont(10, false, colour);
    c.text(p.right + 4, row - 6, label, s);
}

void drawSample(int x, int y, Rgb colour, int width, bool dashed, Canvas& c) {
    if (dashed) {
        DashedCanvas d(c, colour);
        d.setPen(colour, width);
        d.line(x, y, x + 24, y);
        return;
    }
    c.setPen(colour, width);
    c.line(x, y, x + 24, y);
}

std::string figureText(const std::optional<double>& v, int decimals) {
    if (!v || !std::isfinite(*v)) return "-";
    return formatFixed(*v, 0, decimals);
}

} // namespace corvellan::chart
