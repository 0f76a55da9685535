#include "diagrams/DesignSpacePictures.h"

#include <algorithm>
#include <cmath>

namespace corvellan {

namespace {

constexpr int kLeft = 60, kRight = 620, kTop = 60, kBottom = 330;

TextStyle font(int size = 11, bool bold = false, Rgb colour = colours::Black) {
    TextStyle s;
    s.pixelSize = size;
    s.bold = bold;
    s.colour = colour;
    return s;
}

int decimalsOf(int figure) {
    return isPercentFigure(figure) ? 3 : 5;
}

} // namespace

void drawToleranceHistogram(const ToleranceReport& report, int setting, int figure, Canvas& c) {
    c.erase(colours::White);
    if (setting < 0 || setting >= static_cast<int>(report.settings.size())) return;
    const SettingSpread& s = report.settings[setting];
    const int dp = decimalsOf(figure);
    c.text(8, 8,
           std::string(designFigureCaption(figure)) + " at reverse arm " +
               formatFixed(s.revArmPos, 0, 5) + " (" + s.direction + ")",
           font(13, true));
    c.text(8, 26,
           std::to_string(report.samples) + " samples, seed " + std::to_string(report.seed) +
               ", pin clearance " + formatGeneral(report.pinClearance, 4) + "; left out " +
               std::to_string(s.infeasible),
           font());
    c.setPen(colours::Black, 1);
    c.line(kLeft, kBottom, kRight + 1, kBottom);
    c.line(kLeft, kTop, kLeft, kBottom);
    const auto& spread = s.figures[figure];
    if (!spread || spread->histogram.empty()) {
        c.text(kLeft + 10, kTop + 10, "No sample has this figure.", font());
        return;
    }
    const FigureSpread& x = *spread;
    const long long most = *std::max_element(x.histogram.begin(), x.histogram.end());
    const int bins = static_cast<int>(x.histogram.size());
    const double width = x.max - x.min;
    const int plotWidth = kRight - kLeft;
    for (int b = 0; b < bins; ++b) {
        const int left = kLeft + 1 + plotWidth * b / bins;
        const int right = kLeft + 1 + plotWidth * (b + 1) / bins - 1;
        const int height =
            most > 0 ? static_cast<int>((kBottom - kTop) * x.histogram[b] / most) : 0;
        if (height > 0) c.fillRect(left, kBottom - height, right, kBottom, colours::Teal);
    }
    // Where a value stands on the axis (the middle where all are alike).
    auto column = [&](double v) {
        if (!(width > 0)) return kLeft + plotWidth / 2;
        return kLeft + 1 + roundToInt((v - x.min) / width * (plotWidth - 1));
    };
    struct Mark {
        double value;
        Rgb colour;
        const char* name;
    };
    std::vector<Mark> marks{{x.p5, colours::Grey, "P5"},
                            {x.p95, colours::Grey, "P95"},
                            {x.mean, colours::Green, "mean"}};
    if (s.nominal[figure]) marks.push_back({*s.nominal[figure], colours::Red, "nominal"});
    for (const Mark& m : marks) {
        c.setPen(m.colour, m.colour == colours::Grey ? 1 : 2);
        const int col = column(m.value);
        c.line(col, kTop, col, kBottom);
    }
    // The axis: its ends and the count of the tallest bar.
    c.setPen(colours::Black, 1);
    const TextStyle small = font(10);
    c.text(kLeft, kBottom + 4, formatFixed(x.min, 0, dp), small);
    const std::string maxText = formatFixed(x.max, 0, dp);
    c.text(kRight - c.textWidth(maxText, small), kBottom + 4, maxText, small);
    const std::string top = std::to_string(most);
    c.text(kLeft - 6 - c.textWidth(top, small), kTop - 5, top, small);
    c.text(kLeft - 6 - c.textWidth("0", small), kBottom - 6, "0", small);
    // The key, each line in its mark's colour.
    int y = kBottom + 24;
    auto keyLine = [&](const std::string& text, Rgb colour) {
        c.text(kLeft, y, text, font(11, false, colour));
        y += 14;
    };
    if (s.nominal[figure])
        keyLine("nominal " + formatFixed(*s.nominal[figure], 0, dp), colours::Red);
    keyLine("mean " + formatFixed(x.mean, 0, dp) + ", standard deviation " +
                formatFixed(x.std, 0, dp),
            colours::Green);
    keyLine("5 % point " + formatFixed(x.p5, 0, dp) + ", 95 % point " + formatFixed(x.p95, 0, dp) +
                " (" + std::to_string(x.count) + " samples with the figure)",
            colours::Grey);
}

} // namespace corvellan
