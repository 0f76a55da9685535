// The design-space pictures on made-up figures (so that a change of the
// gear's physics leaves them be): the colour map's per-column scale and its
// marks, and the golden draw lists of the map, the histogram and both kinds
// of sweep chart.

#include "diagrams/DesignSpacePictures.h"
#include "support/GoldenDrawList.h"
#include "view/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

using namespace corvellan;

namespace {

SettingRates madeUpRates() {
    SettingRates s;
    s.revArmPos = -0.74999f;
    s.direction = "Fwd";
    s.nominal[CutOffDifferenceFigure] = 24.5;
    const int codes[] = {LinkPivotHorzCode, EccCrankAngleDegCode, 118};
    for (int code : codes) {
        DimensionRates d;
        d.code = code;
        d.step = 0.004;
        for (int f = 0; f < kDesignFigures; ++f)
            d.figures[f].rate = 0.0;
        s.dimensions.push_back(d);
    }
    // Front cut-off: the largest rate +200, another -100, none where absent.
    s.dimensions[0].figures[CutOffFrontFigure].rate = 200;
    s.dimensions[1].figures[CutOffFrontFigure].rate = -100;
    s.dimensions[2].figures[CutOffFrontFigure].rate = std::nullopt;
    s.dimensions[0].figures[LeadRearFigure].rate = -0.5;
    s.dimensions[2].figures[LeadRearFigure].rate = 0.25;
    s.dimensions[2].figures[LeadRearFigure].smooth = false;
    return s;
}

ToleranceReport madeUpStudy() {
    ToleranceReport r;
    r.samples = 1000;
    r.seed = 5;
    r.pinClearance = 0.001;
    SettingSpread s;
    s.revArmPos = -1.49999f;
    s.direction = "Fwd";
    s.nominal[LeadFrontFigure] = 0.036;
    FigureSpread x;
    x.count = 1000;
    x.mean = 0.0362;
    x.std = 0.008;
    x.p5 = 0.023;
    x.p95 = 0.049;
    x.min = 0.01;
    x.max = 0.062;
    for (int b = 0; b < kHistogramBins; ++b)
        x.histogram.push_back(50 - std::abs(2 * b - kHistogramBins) - (b % 3));
    s.figures[LeadFrontFigure] = x;
    r.settings.push_back(s);
    return r;
}

SweepChart madeUpLine() {
    SweepChart ch;
    ch.title = "Front cut-off % at reverse arm -0.75000 (Fwd)";
    ch.xName = "Link Pivot Horz";
    ch.xs = {-0.1, -0.05, 0, 0.05, 0.1};
    ch.values = {60.0, 55.0, std::nullopt, 45.0, 41.0};
    ch.currentX = 0;
    ch.currentValue = 50.0;
    return ch;
}

SweepChart madeUpMap() {
    SweepChart ch = madeUpLine();
    ch.yName = "Link Pivot Vert";
    ch.ys = {3.1, 3.2};
    ch.values = {60.0, 58.0, 52.0, std::nullopt, 44.0, 40.0, 41.0, 39.0, 38.0, 36.0};
    ch.currentY = 3.155;
    return ch;
}

TEST(SensitivityMap, ScalesEachColumnToItsLargestRateAndMarksWhatHasNone) {
    const SettingRates s = madeUpRates();
    const PictureSize size = sensitivityMapSize(s);
    RecordingCanvas c(size.width, size.height);
    drawSensitivityMap(s, c);
    std::vector<Primitive> cells;
    for (const Primitive& p : c.ofKind(PrimitiveKind::Rect))
        if (p.coords[3] - p.coords[1] == 14) cells.push_back(p);
    ASSERT_EQ(cells.size(), 3u * kDesignFigures);
    auto cell = [&](int row, int figure) { return cells[row * kDesignFigures + figure].colour; };
    EXPECT_EQ(cell(0, CutOffFrontFigure), 0xFF0000u); // +200 of 200: full red
    EXPECT_EQ(cell(1, CutOffFrontFigure), 0x8080FFu); // -100 of 200: half blue
    EXPECT_EQ(cell(2, CutOffFrontFigure), colours::Silver);
    EXPECT_EQ(cell(0, LeadRearFigure), 0x0000FFu); // -0.5 of 0.5, its own column's scale
    EXPECT_EQ(cell(2, LeadRearFigure), 0xFF8080u);
    EXPECT_EQ(cell(1, ValveTravelFigure), colours::White);
    // The rate that is not smooth is crossed out: two black lines in its cell.
    const Primitive& crossed = cells[2 * kDesignFigures + LeadRearFigure];
    int inside = 0;
    for (const Primitive& p : c.ofKind(PrimitiveKind::Line))
        inside += p.colour == colours::Black && p.coords[0] > crossed.coords[0] &&
                  p.coords[2] < crossed.coords[2] && p.coords[1] >= crossed.coords[1] &&
                  p.coords[1] < crossed.coords[3];
    EXPECT_EQ(inside, 2);
    EXPECT_TRUE(c.findText("Eccentric Crank Angle Deg"));
}

struct Golden {
    const char* name;
    PictureSize size;
    std::function<void(Canvas&)> draw;
};

class DesignSpacePicture : public ::testing::TestWithParam<Golden> {};

TEST_P(DesignSpacePicture, MatchesItsGoldenDrawList) {
    RecordingCanvas c(GetParam().size.width, GetParam().size.height);
    GetParam().draw(c);
    expectGoldenDrawList(c, std::string(CORVELLAN_TEST_DATA) + "/designspace/" + GetParam().name +
                                ".txt");
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, DesignSpacePicture,
    ::testing::Values(
        Golden{"sensitivity", sensitivityMapSize(madeUpRates()),
               [](Canvas& c) { drawSensitivityMap(madeUpRates(), c); }},
        Golden{"histogram", kHistogramSize,
               [](Canvas& c) { drawToleranceHistogram(madeUpStudy(), 0, LeadFrontFigure, c); }},
        Golden{"sweep_line", kSweepChartSize, [](Canvas& c) { drawSweepChart(madeUpLine(), c); }},
        Golden{"sweep_map", kSweepChartSize, [](Canvas& c) { drawSweepChart(madeUpMap(), c); }}),
    [](const ::testing::TestParamInfo<Golden>& info) { return std::string(info.param.name); });

} // namespace
