#include "diagrams/CutOffChart.h"

#include "diagrams/DashedCanvas.h"

#include <vector>

namespace corvellan {

namespace {

constexpr int kLeft = 64, kRight = 604, kTop = 60, kBottom = 340;
constexpr Rgb kFrontColour = colours::Blue, kRearColour = colours::Red;

TextStyle font(int size = 11, bool bold = false) {
    TextStyle s;
    s.pixelSize = size;
    s.bold = bold;
    return s;
}

// Full reverse (-100) on the left, full forward (+100) on the right.
int columnOf(double signedTravelPct) {
    return kLeft + roundToInt((signedTravelPct + 100) / 200 * (kRight - kLeft));
}
int rowOf(double cutOffPct) {
    return kBottom - roundToInt(cutOffPct / 100 * (kBottom - kTop));
}

void centredText(Canvas& c, int x, int y, const std::string& s, const TextStyle& style) {
    c.text(x - c.textWidth(s, style) / 2, y, s, style);
}

void grid(const CutOffCurve& a, Canvas& c) {
    const TextStyle small = font(10);
    for (int pct = 0; pct <= 100; pct += 20) {
        const int row = rowOf(pct);
        c.setPen(pct == 0 ? colours::Black : colours::Silver, 1);
        c.line(kLeft, row, kRight + 1, row);
        const std::string label = std::to_string(pct);
        c.text(kLeft - 6 - c.textWidth(label, small), row - 6, label, small);
    }
    const char* names[] = {"Rev 100 %", "Rev 50 %", "Mid gear", "Fwd 50 %", "Fwd 100 %"};
    for (int t = 0; t <= 4; ++t) {
        const int signedPct = -100 + 50 * t;
        const int col = columnOf(signedPct);
        c.setPen(t == 2 || t == 0 || t == 4 ? colours::Black : colours::Silver, 1);
        c.line(col, kTop, col, kBottom + 4);
        centredText(c, col, kBottom + 6, names[t], small);
        // The reverse-arm figure there: forward lies below mid gear.
        const Ext pos =
            static_cast<Ext>(a.revArmCen) - static_cast<Ext>(a.revArmToCentMax) * signedPct / 100;
        centredText(c, col, kBottom + 19, formatFixed(pos, 0, 3), small);
    }
    c.text(4, kTop - 18, "Cut-off, % of stroke", font());
    centredText(c, (kLeft + kRight) / 2, kBottom + 34,
                "Reverse-arm setting, % of full gear (reverse-arm figure below)", font());
}

// One end's cut-off over one half, as runs of joined points broken where the
// port does not cut off.
void curve(const std::vector<CutOffPoint>& half, double side, bool front, Rgb colour, Canvas& c) {
    c.setPen(colour, 1);
    std::vector<int> xs, ys;
    auto flush = [&] {
        if (xs.size() == 1) c.fillRect(xs[0] - 1, ys[0] - 1, xs[0] + 2, ys[0] + 2, colour);
        if (xs.size() > 1) {
            // The line leaves its end pixel out: close it with one more.
            xs.push_back(xs.back() + (side > 0 ? 1 : -1));
            ys.push_back(ys.back());
            c.polyline(xs.data(), ys.data(), static_cast<int>(xs.size()));
        }
        xs.clear();
        ys.clear();
    };
    for (const CutOffPoint& p : half) {
        const Figure& f = front ? p.front : p.rear;
        if (!f) {
            flush();
            continue;
        }
        xs.push_back(columnOf(side * p.travelPct));
        ys.push_back(rowOf(*f));
    }
    flush();
}

void curves(const CutOffCurve& k, Canvas& front, Canvas& rear) {
    curve(k.forward, 1, true, kFrontColour, front);
    curve(k.reverse, -1, true, kFrontColour, front);
    curve(k.forward, 1, false, kRearColour, rear);
    curve(k.reverse, -1, false, kRearColour, rear);
}

void legend(const CutOffChartGear* b, Canvas& c) {
    const int row = kBottom + 62;
    const TextStyle style = font();
    int x = kLeft;
    for (auto [colour, name] :
         {std::pair{kFrontColour, "front end"}, std::pair{kRearColour, "rear end"}}) {
        c.setPen(colour, 1);
        c.line(x, row + 6, x + 24, row + 6);
        c.text(x + 30, row, name, style);
        x += 40 + c.textWidth(name, style);
    }
    if (!b) return;
    DashedCanvas dashed(c, colours::Black);
    dashed.setPen(colours::Black, 1);
    dashed.line(x, row + 6, x + 24, row + 6);
    c.text(x + 30, row, "dashed: B: " + b->name, style);
}

} // namespace

void drawCutOffChart(const CutOffChartGear& a, const CutOffChartGear* b, Canvas& c) {
    c.erase(colours::White);
    c.text(8, 8, "Cut-off against reverse-arm setting: " + a.name, font(13, true));
    c.text(8, 26,
           "Each half runs its own way: forward to the right of mid gear, reverse to the left",
           font());
    grid(a.curve, c);
    curves(a.curve, c, c);
    if (b) {
        DashedCanvas front(c, kFrontColour), rear(c, kRearColour);
        curves(b->curve, front, rear);
    }
    legend(b, c);
}

} // namespace corvellan
