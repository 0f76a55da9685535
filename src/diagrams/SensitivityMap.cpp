#include "diagrams/DesignSpacePictures.h"

#include <algorithm>
#include <cmath>

namespace corvellan {

namespace {

constexpr int kMargin = 8;
constexpr int kTitleHeight = 20;
constexpr int kHeaderHeight = 30;
constexpr int kLabelWidth = 200;
constexpr int kCellWidth = 58;
constexpr int kCellHeight = 14;
constexpr int kScaleRowHeight = 16;
constexpr int kLegendHeight = 40;

// Column heads in two short lines.
struct Head {
    const char* top;
    const char* bottom;
};
constexpr Head kHeads[kDesignFigures] = {
    {"Cut-off", "front %"}, {"Cut-off", "rear %"},  {"Lead", "front"},     {"Lead", "rear"},
    {"Release", "front %"}, {"Release", "rear %"},  {"Compr.", "front %"}, {"Compr.", "rear %"},
    {"Valve", "travel"},    {"Cut-off", "F - R %"}, {"Lead", "F - R"},
};

TextStyle font(int size = 11, bool bold = false) {
    TextStyle s;
    s.pixelSize = size;
    s.bold = bold;
    return s;
}

int channel(double v) {
    return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

void centredText(Canvas& c, int left, int width, int y, const std::string& s,
                 const TextStyle& style) {
    c.text(left + (width - c.textWidth(s, style)) / 2, y, s, style);
}

} // namespace

Rgb signedColour(double v) {
    if (!std::isfinite(v)) return colours::Silver;
    v = std::clamp(v, -1.0, 1.0);
    const int fade = channel(255 * (1 - std::fabs(v)));
    return v >= 0 ? (0xFF0000u | static_cast<Rgb>(fade) << 8 | static_cast<Rgb>(fade))
                  : (static_cast<Rgb>(fade) << 16 | static_cast<Rgb>(fade) << 8 | 0xFFu);
}

Rgb rampColour(double t) {
    if (!std::isfinite(t)) return colours::Silver;
    t = std::clamp(t, 0.0, 1.0);
    // Navy (0, 0, 128) to yellow (255, 255, 0).
    const int r = channel(255 * t), g = channel(255 * t), b = channel(128 * (1 - t));
    return static_cast<Rgb>(r) << 16 | static_cast<Rgb>(g) << 8 | static_cast<Rgb>(b);
}

PictureSize sensitivityMapSize(const SettingRates& rates) {
    const int rows = static_cast<int>(rates.dimensions.size());
    return {2 * kMargin + kLabelWidth + kDesignFigures * kCellWidth,
            2 * kMargin + kTitleHeight + kHeaderHeight + rows * kCellHeight + kScaleRowHeight +
                kLegendHeight};
}

void drawSensitivityMap(const SettingRates& rates, Canvas& c) {
    c.erase(colours::White);
    const TextStyle title = font(13, true), small = font(11), tiny = font(10);
    const std::string setting = formatFixed(rates.revArmPos, 0, 5);
    c.text(kMargin, kMargin,
           "Sensitivity at reverse arm " + setting + " (" + rates.direction +
               "): rate per unit of each dimension",
           title);

    // The largest |rate| of each column scales it.
    std::array<double, kDesignFigures> scale{};
    for (const DimensionRates& d : rates.dimensions)
        for (int f = 0; f < kDesignFigures; ++f)
            if (d.figures[f].rate && std::isfinite(*d.figures[f].rate))
                scale[f] = std::max(scale[f], std::fabs(*d.figures[f].rate));

    const int gridLeft = kMargin + kLabelWidth;
    const int headTop = kMargin + kTitleHeight;
    const int gridTop = headTop + kHeaderHeight;
    for (int f = 0; f < kDesignFigures; ++f) {
        const int x = gridLeft + f * kCellWidth;
        centredText(c, x, kCellWidth, headTop, kHeads[f].top, small);
        centredText(c, x, kCellWidth, headTop + 13, kHeads[f].bottom, small);
    }
    int y = gridTop;
    for (const DimensionRates& d : rates.dimensions) {
        c.text(kMargin, y + 1, dimensionCaption(d.code), small);
        for (int f = 0; f < kDesignFigures; ++f) {
            const int x = gridLeft + f * kCellWidth;
            const FigureRate& r = d.figures[f];
            const bool has = r.rate && std::isfinite(*r.rate);
            const double v = has ? (scale[f] > 0 ? *r.rate / scale[f] : 0) : NAN;
            c.fillRect(x, y, x + kCellWidth, y + kCellHeight, signedColour(v));
            if (has && !r.smooth) {
                c.setPen(colours::Black, 1);
                c.line(x + 2, y + 2, x + kCellWidth - 2, y + kCellHeight - 2);
                c.line(x + 2, y + kCellHeight - 3, x + kCellWidth - 2, y + 1);
            }
        }
        y += kCellHeight;
    }
    // The grid's lines over the cells.
    c.setPen(colours::Grey, 1);
    for (int f = 0; f <= kDesignFigures; ++f)
        c.line(gridLeft + f * kCellWidth, gridTop, gridLeft + f * kCellWidth, y + 1);
    for (int row = 0; row <= static_cast<int>(rates.dimensions.size()); ++row)
        c.line(gridLeft, gridTop + row * kCellHeight, gridLeft + kDesignFigures * kCellWidth + 1,
               gridTop + row * kCellHeight);
    // Each column's scale beneath it.
    c.text(kMargin, y + 2, "largest |rate|", small);
    for (int f = 0; f < kDesignFigures; ++f)
        centredText(c, gridLeft + f * kCellWidth, kCellWidth, y + 3, formatGeneral(scale[f], 3),
                    tiny);

    // The key: the colour of -1 .. 1 of a column's largest |rate|.
    const int keyTop = y + kScaleRowHeight + 8;
    const int keyLeft = gridLeft, keyWidth = 200;
    for (int i = 0; i < keyWidth; ++i)
        c.fillRect(keyLeft + i, keyTop, keyLeft + i + 1, keyTop + 10,
                   signedColour(2.0 * i / (keyWidth - 1) - 1));
    c.text(keyLeft - 6, keyTop + 12, "-1", tiny);
    centredText(c, keyLeft, keyWidth, keyTop + 12, "0", tiny);
    c.text(keyLeft + keyWidth - 6, keyTop + 12, "+1", tiny);
    c.text(keyLeft + keyWidth + 16, keyTop - 1,
           "x largest |rate| of the column;  grey: no rate (the figure is absent)", tiny);
    c.text(keyLeft + keyWidth + 16, keyTop + 12,
           "crossed: not smooth (forward and backward differences disagree)", tiny);
}

} // namespace corvellan
