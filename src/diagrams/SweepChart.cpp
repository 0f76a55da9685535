#include "diagrams/DesignSpacePictures.h"

#include <algorithm>
#include <cmath>

namespace corvellan {

namespace {

constexpr int kLeft = 80, kRight = 560, kTop = 64, kBottom = 384;
constexpr int kKeyLeft = 596, kKeyWidth = 16;

TextStyle font(int size = 11, bool bold = false) {
    TextStyle s;
    s.pixelSize = size;
    s.bold = bold;
    return s;
}

struct Range {
    double low = 0, high = 0;
    void widen(double v) {
        if (!std::isfinite(v)) return;
        if (!(low <= high)) low = high = v;
        low = std::min(low, v);
        high = std::max(high, v);
    }
    // A flat range gets some height, so its one value sits in the middle.
    void open() {
        if (!(high > low)) {
            const double pad = std::max(std::fabs(low) * 1e-3, 1e-6);
            low -= pad;
            high += pad;
        }
    }
    double fraction(double v) const { return (v - low) / (high - low); }
};

Range rangeOf(const std::vector<double>& values) {
    Range r{NAN, NAN};
    for (double v : values)
        r.widen(v);
    if (!(r.low <= r.high)) r = {0, 1};
    r.open();
    return r;
}

Range figureRange(const SweepChart& ch) {
    Range r{NAN, NAN};
    for (const Figure& f : ch.values)
        if (f) r.widen(*f);
    if (ch.currentValue) r.widen(*ch.currentValue);
    if (!(r.low <= r.high)) r = {0, 1};
    r.open();
    return r;
}

int columnOf(const Range& r, double v) {
    return kLeft + roundToInt(r.fraction(v) * (kRight - kLeft));
}
int rowOf(const Range& r, double v) {
    return kBottom - roundToInt(r.fraction(v) * (kBottom - kTop));
}

void axes(const SweepChart& ch, const Range& x, const Range& y, int yDecimals, Canvas& c) {
    c.setPen(colours::Black, 1);
    c.line(kLeft, kBottom, kRight + 1, kBottom);
    c.line(kLeft, kTop, kLeft, kBottom + 1);
    const TextStyle small = font(10);
    for (int t = 0; t <= 4; ++t) {
        const double xv = x.low + (x.high - x.low) * t / 4;
        const int col = kLeft + (kRight - kLeft) * t / 4;
        c.line(col, kBottom, col, kBottom + 4);
        const std::string xs = formatFixed(xv, 0, 4);
        c.text(col - c.textWidth(xs, small) / 2, kBottom + 6, xs, small);
        const double yv = y.low + (y.high - y.low) * t / 4;
        const int row = kBottom - (kBottom - kTop) * t / 4;
        c.line(kLeft - 4, row, kLeft, row);
        const std::string ys = formatFixed(yv, 0, yDecimals);
        c.text(kLeft - 6 - c.textWidth(ys, small), row - 6, ys, small);
    }
    const TextStyle label = font(11);
    c.text((kLeft + kRight - c.textWidth(ch.xName, label)) / 2, kBottom + 22, ch.xName, label);
}

void drawLine(const SweepChart& ch, Canvas& c) {
    const Range x = rangeOf(ch.xs), y = figureRange(ch);
    const int dp = ch.percent ? 3 : 5;
    axes(ch, x, y, dp, c);
    // The figure as runs of joined points, broken where it is absent.
    c.setPen(colours::Blue, 1);
    std::vector<int> xs, ys;
    auto flush = [&] {
        if (xs.size() == 1) c.fillRect(xs[0] - 1, ys[0] - 1, xs[0] + 2, ys[0] + 2, colours::Blue);
        if (xs.size() > 1) {
            // The line leaves its end pixel out: close it with one more.
            xs.push_back(xs.back() + 1);
            ys.push_back(ys.back());
            c.polyline(xs.data(), ys.data(), static_cast<int>(xs.size()));
        }
        xs.clear();
        ys.clear();
    };
    for (size_t i = 0; i < ch.xs.size() && i < ch.values.size(); ++i) {
        if (!ch.values[i]) {
            flush();
            continue;
        }
        xs.push_back(columnOf(x, ch.xs[i]));
        ys.push_back(rowOf(y, *ch.values[i]));
    }
    flush();
    // The current design: a red upright at its value and a ring on its figure.
    const int col = columnOf(x, ch.currentX);
    if (col >= kLeft && col <= kRight) {
        c.setPen(colours::Red, 1);
        c.line(col, kTop, col, kBottom);
        if (ch.currentValue) {
            const int row = rowOf(y, *ch.currentValue);
            c.ellipse(col - 4, row - 4, col + 5, row + 5);
        }
    }
}

// A map's axis reaches half a step beyond its end points, so each point's
// cell is centred on its value.
Range cellRange(const std::vector<double>& values) {
    Range r = rangeOf(values);
    if (values.size() > 1) {
        const double half = (r.high - r.low) / static_cast<double>(values.size() - 1) / 2;
        r.low -= half;
        r.high += half;
    }
    return r;
}

void drawMap(const SweepChart& ch, Canvas& c) {
    const Range x = cellRange(ch.xs), y = cellRange(ch.ys), v = figureRange(ch);
    const int nx = static_cast<int>(ch.xs.size()), ny = static_cast<int>(ch.ys.size());
    axes(ch, x, y, 4, c);
    const TextStyle label = font(11);
    c.text(8, kTop - 18, ch.yName + " (up)", label);
    // Cell i, j spans half-way to its neighbours.
    const int w = kRight - kLeft, h = kBottom - kTop;
    for (int i = 0; i < nx; ++i) {
        const int left = kLeft + 1 + w * i / nx, right = kLeft + 1 + w * (i + 1) / nx;
        for (int j = 0; j < ny; ++j) {
            const int top = kBottom - h * (j + 1) / ny, bottom = kBottom - h * j / ny;
            const Figure& f = ch.values[static_cast<size_t>(i) * ny + j];
            c.fillRect(left, top, right, bottom, f ? rampColour(v.fraction(*f)) : colours::Silver);
        }
    }
    // The current design: a cross, black on white.
    const int col = columnOf(x, ch.currentX), row = rowOf(y, ch.currentY);
    if (col >= kLeft && col <= kRight && row >= kTop && row <= kBottom) {
        for (auto [colour, width] : {std::pair{colours::White, 3}, std::pair{colours::Black, 1}}) {
            c.setPen(colour, width);
            c.line(col - 6, row, col + 7, row);
            c.line(col, row - 6, col, row + 7);
        }
    }
    // The key of the shades.
    for (int k = 0; k < h; ++k)
        c.fillRect(kKeyLeft, kBottom - k - 1, kKeyLeft + kKeyWidth, kBottom - k,
                   rampColour(static_cast<double>(k) / (h - 1)));
    const int dp = ch.percent ? 2 : 4;
    const TextStyle small = font(10);
    for (auto [value, row] : {std::pair{v.high, kTop - 14}, std::pair{v.low, kBottom + 4}}) {
        const std::string text = formatFixed(value, 0, dp);
        c.text(kKeyLeft + kKeyWidth - c.textWidth(text, small), row, text, small);
    }
}

} // namespace

SweepChart makeSweepChart(const Model& m, const SweepOptions& o,
                          const std::vector<DesignFigures>& points, const char* direction,
                          int setting, int figure, const Figure& currentValue) {
    SweepChart ch;
    ch.percent = isPercentFigure(figure);
    ch.currentValue = currentValue;
    if (o.axes.empty() || o.axes.size() > 2) return ch;
    const SweepAxis& ax = o.axes[0];
    ch.xName = dimensionCaption(ax.code);
    ch.currentX = dimensionValue(m, ax.code);
    for (int i = 0; i < ax.points; ++i)
        ch.xs.push_back(ax.valueAt(i));
    if (o.axes.size() == 2) {
        const SweepAxis& ay = o.axes[1];
        ch.yName = dimensionCaption(ay.code);
        ch.currentY = dimensionValue(m, ay.code);
        for (int j = 0; j < ay.points; ++j)
            ch.ys.push_back(ay.valueAt(j));
    }
    // The setting as the current design has it, at its own mid gear.
    std::string where;
    if (setting >= 0 && setting < static_cast<int>(o.offsets.size())) {
        Model design = m;
        midGearCalc(design);
        where = " at reverse arm " + formatFixed(settingOf(design, o.offsets[setting]), 0, 5) +
                " (" + direction + ")";
    }
    ch.title = std::string(designFigureCaption(figure)) + where;
    for (const DesignFigures& p : points)
        ch.values.push_back(p[figure]);
    return ch;
}

void drawSweepChart(const SweepChart& ch, Canvas& c) {
    c.erase(colours::White);
    c.text(8, 8, ch.title, font(13, true));
    c.text(8, 26,
           ch.yName.empty() ? "Against " + ch.xName + "; red: the current design"
                            : "Over " + ch.xName + " and " + ch.yName +
                                  "; the cross: the current design; grey: no figure",
           font());
    const size_t cells = ch.xs.size() * (ch.yName.empty() ? 1 : ch.ys.size());
    if (ch.xs.empty() || ch.values.size() != cells) return;
    if (ch.yName.empty())
        drawLine(ch, c);
    else
        drawMap(ch, c);
}

} // namespace corvellan
