#include "diagrams/ChartAxes.h"
#include "diagrams/CompareOverlay.h"
#include "diagrams/DashedCanvas.h"
#include "diagrams/SteamPictures.h"
#include "model/Numeric.h"

#include <algorithm>
#include <cmath>

namespace corvellan {

namespace {

using chart::Plot;

constexpr int kWidth = 720;
constexpr int kLeft = 70, kRight = 640, kTop = 64, kBottom = 364;
constexpr int kLegendTop = 404, kLegendRow = 16, kLegendBottomMargin = 8;
constexpr int kFrontPen = 1, kRearPen = 2;
// The levels stand out from the settings' colours, which leave green and
// grey to them.
constexpr Rgb kChestColour = colours::Green, kBackColour = colours::Grey;

// The loop closed on its first point, so the revolution joins up.
void closedLoop(const PressureLoop& loop, std::vector<double>& xs, std::vector<double>& ys) {
    const size_t n = std::min(loop.travelPct.size(), loop.pressure.size());
    xs.assign(loop.travelPct.begin(), loop.travelPct.begin() + static_cast<long>(n));
    ys.assign(loop.pressure.begin(), loop.pressure.begin() + static_cast<long>(n));
    if (n > 1) {
        xs.push_back(xs.front());
        ys.push_back(ys.front());
    }
}

void drawLoop(const Plot& p, const PressureLoop& loop, Canvas& c) {
    std::vector<double> xs, ys;
    closedLoop(loop, xs, ys);
    chart::drawRun(p, xs, ys, c);
}

void drawEnds(const Plot& p, const IndicatorSettingCurve& s, Rgb colour, bool ideal, Canvas& c) {
    for (auto [end, width] : {std::pair{&s.front, kFrontPen}, std::pair{&s.rear, kRearPen}}) {
        const PressureLoop& loop = ideal ? end->ideal : end->computed;
        c.setPen(colour, width);
        drawLoop(p, loop, c);
    }
}

void widenBy(chart::Span& span, const std::vector<IndicatorSettingCurve>& settings) {
    for (const IndicatorSettingCurve& s : settings)
        for (const IndicatorEndCurve* e : {&s.front, &s.rear}) {
            span.widen(e->computed.pressure);
            span.widen(e->ideal.pressure);
        }
}

std::string significant(const ChartFigure& v, int digits) {
    if (!v || !std::isfinite(*v)) return "-";
    return formatGeneral(*v, digits);
}

std::string signedFigure(const ChartFigure& v, int decimals) {
    if (!v || !std::isfinite(*v)) return "-";
    return (*v >= 0 ? "+" : "") + formatFixed(*v, 0, decimals);
}

std::string legendText(const IndicatorSettingCurve& s, const SteamUnits& u) {
    std::string t = s.label + ":  MEP F " + chart::figureText(s.front.mep, 1) + " (ideal " +
                    chart::figureText(s.front.idealMep, 1) + "), R " +
                    chart::figureText(s.rear.mep, 1) + " (ideal " +
                    chart::figureText(s.rear.idealMep, 1) + ") " + u.pressure + ";  " +
                    significant(s.power, 4) + " " + u.power + ";  " +
                    chart::figureText(s.steamRate, 1) + " " + u.steamRate + ";  work F-R " +
                    signedFigure(s.workDifferencePct, 1) + " %";
    if (s.geometryError) t += ";  geometry error";
    if (!s.settled) t += ";  not settled";
    return t;
}

void legendRow(int row, const IndicatorSettingCurve& s, const SteamUnits& u, Rgb colour,
               bool dashed, Canvas& c) {
    chart::drawSample(8, row + 3, colour, kFrontPen, dashed, c);
    chart::drawSample(8, row + 9, colour, kRearPen, dashed, c);
    c.text(40, row, legendText(s, u), chart::chartFont(11, false, colour));
}

} // namespace

Rgb settingColour(int k) {
    static constexpr Rgb kColours[] = {colours::Blue,   colours::Red,    0xE07000,
                                       colours::Purple, colours::Teal,   colours::Maroon,
                                       colours::Olive,  colours::Navy,   0x00A0E0};
    constexpr int n = static_cast<int>(sizeof kColours / sizeof kColours[0]);
    return kColours[((k % n) + n) % n];
}

PictureExtent indicatorChartSize(const IndicatorChart& ch) {
    const int rows = static_cast<int>(ch.settings.size() + ch.compared.size()) +
                     (ch.compared.empty() ? 0 : 1);
    return {kWidth, kLegendTop + std::max(rows, 1) * kLegendRow + kLegendBottomMargin};
}

void drawIndicatorChart(const IndicatorChart& ch, Canvas& c) {
    c.erase(colours::White);
    c.text(8, 8, ch.title, chart::chartFont(13, true));
    c.text(8, 28,
           "Thin: front end; thick: rear end; dashed: the ideal cycle. Green: chest pressure; "
           "grey: back pressure.",
           chart::chartFont());

    chart::Span span;
    span.widen(0.0);
    span.widen(ch.chestPressure);
    span.widen(ch.backPressure);
    widenBy(span, ch.settings);
    widenBy(span, ch.compared);
    Plot p;
    p.left = kLeft;
    p.right = kRight;
    p.top = kTop;
    p.bottom = kBottom;
    p.x = {0, 100, 10};
    p.y = span.scale(8);
    chart::drawAxes(p, "Piston travel, % of stroke from the front dead centre",
                    "Pressure, " + ch.units.pressure + " gauge", c);
    chart::drawLevel(p, ch.chestPressure, kChestColour,
                     "chest " + formatGeneral(ch.chestPressure, 4), c);
    chart::drawLevel(p, ch.backPressure, kBackColour, "back " + formatGeneral(ch.backPressure, 4),
                     c);

    for (size_t k = 0; k < ch.settings.size(); ++k) {
        const Rgb colour = settingColour(static_cast<int>(k));
        DashedCanvas dashed(c, colour);
        drawEnds(p, ch.settings[k], colour, true, dashed);
        drawEnds(p, ch.settings[k], colour, false, c);
    }
    if (!ch.compared.empty()) {
        DashedCanvas dashed(c, kGearBColour);
        for (const IndicatorSettingCurve& s : ch.compared)
            drawEnds(p, s, kGearBColour, false, dashed);
    }

    int row = kLegendTop;
    for (size_t k = 0; k < ch.settings.size(); ++k, row += kLegendRow)
        legendRow(row, ch.settings[k], ch.units, settingColour(static_cast<int>(k)), false, c);
    if (!ch.compared.empty()) {
        c.text(8, row, "B: " + ch.comparedName + " (dashed, its ideal cycles left out)",
               chart::chartFont(11, true, kGearBColour));
        row += kLegendRow;
        for (const IndicatorSettingCurve& s : ch.compared) {
            legendRow(row, s, ch.units, kGearBColour, true, c);
            row += kLegendRow;
        }
    }
    if (ch.settings.empty() && ch.compared.empty())
        c.text(8, row, "No setting to show.", chart::chartFont());
}

} // namespace corvellan
