// The steam pictures on made-up figures (so that a change of the physics
// leaves them be): where the indicator diagram puts its pressures, and the
// golden draw lists of the indicator diagram with a compared gear and of
// the performance chart.

#include "diagrams/SteamPictures.h"
#include "diagrams/CompareOverlay.h"
#include "support/GoldenDrawList.h"
#include "view/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

using namespace corvellan;

namespace {

// A card of the usual shape: admission to 40 %, expansion, release at 90 %,
// exhaust, compression from 85 % back.
PressureLoop card(double chest, double back, bool rear) {
    PressureLoop l;
    const double pct[] = {0, 40, 60, 90, 100, 85, 20, 5};
    const double p[] = {chest, chest - 4, chest * 0.55, chest * 0.4, back, back, back, chest * 0.3};
    for (int i = 0; i < 8; ++i) {
        l.travelPct.push_back(rear ? 100 - pct[i] : pct[i]);
        l.pressure.push_back(p[i]);
    }
    return l;
}

IndicatorSettingCurve madeUpSetting(const std::string& label, double chest) {
    IndicatorSettingCurve s;
    s.label = label;
    s.front.computed = card(chest - 6, 3, false);
    s.front.ideal = card(chest, 2, false);
    s.rear.computed = card(chest - 8, 3.5, true);
    s.rear.ideal = card(chest, 2, true);
    s.front.mep = 51.25;
    s.front.idealMep = 55.5;
    s.rear.mep = 49.0;
    s.rear.idealMep = 54.75;
    s.power = 1.234;
    s.steamRate = 28.44;
    s.workDifferencePct = 2.5;
    return s;
}

IndicatorChart madeUpIndicator() {
    IndicatorChart ch;
    ch.title = "Indicator diagram at 300 rpm";
    ch.chestPressure = 90;
    ch.backPressure = 2;
    ch.settings = {madeUpSetting("Fwd at -1.50000", 90), madeUpSetting("Fwd at -0.75000", 90)};
    ch.settings[1].settled = false;
    ch.compared = {madeUpSetting("Fwd at -1.50000", 80)};
    ch.comparedName = "longer lap";
    return ch;
}

PerformanceChart madeUpPerformance() {
    PerformanceChart ch;
    ch.title = "Performance";
    ch.speeds = {100, 300, 800};
    for (size_t k = 0; k < ch.speeds.size(); ++k) {
        std::vector<PerformancePoint> points;
        for (int i = 0; i <= 4; ++i)
            for (bool forward : {true, false}) {
                PerformancePoint p;
                p.forward = forward;
                p.cutOffFront = 10.0 + 15 * i;
                p.cutOffRear = 12.0 + 15 * i;
                p.mepFront = 10.0 + 16 * i - 3.0 * k;
                p.mepRear = 9.0 + 15 * i - 3.0 * k;
                p.mepMean = (*p.mepFront + *p.mepRear) / 2;
                if (i == 0 && !forward) p.cutOffRear.reset();
                points.push_back(p);
            }
        ch.sweep.push_back(points);
    }
    ch.positions = {{"Fwd at -1.50000", {0.5, 1.4, 3.1}, {24.0, 26.0, 30.0}},
                    {"Fwd at -0.25000", {0.01, 0.02, std::nullopt}, {900.0, 31.0, 33.0}}};
    return ch;
}

TEST(IndicatorChart, PutsEachPressureAtItsRowAndMarksTheComparedGearDashed) {
    const IndicatorChart ch = madeUpIndicator();
    const PictureExtent size = indicatorChartSize(ch);
    RecordingCanvas c(size.width, size.height);
    drawIndicatorChart(ch, c);
    // The chest level and the front card of the first setting: the card's
    // first point is at 84 psi, 6 below the chest, on the same scale.
    const auto lines = c.ofKind(PrimitiveKind::Line);
    int chestRow = -1;
    for (const Primitive& p : lines)
        if (p.colour == colours::Green && p.coords[1] == p.coords[3] &&
            p.coords[2] - p.coords[0] > 500)
            chestRow = p.coords[1];
    ASSERT_GT(chestRow, 0);
    const auto polylines = c.ofKind(PrimitiveKind::Polyline);
    const Primitive* front = nullptr;
    for (const Primitive& p : polylines)
        if (p.colour == colours::Blue && p.penWidth == 1 && !front) front = &p;
    ASSERT_NE(front, nullptr);
    int zeroRow = -1;
    for (const Primitive& p : c.ofKind(PrimitiveKind::Text))
        if (p.text == "0" && p.coords[0] < 70) zeroRow = p.coords[1] + 6;
    ASSERT_GT(zeroRow, chestRow);
    const double perPsi = (zeroRow - chestRow) / 90.0;
    EXPECT_NEAR(front->coords[1], zeroRow - 84 * perPsi, 1.0);
    // The card closes on its first point.
    const size_t n = front->coords.size();
    EXPECT_EQ(front->coords[n - 2], front->coords[0]);
    EXPECT_EQ(front->coords[n - 1], front->coords[1]);
    // Gear B: dashes of its own colour, and nothing of it drawn solid.
    int dashes = 0;
    for (const Primitive& p : lines)
        dashes += p.colour == kGearBColour;
    EXPECT_GT(dashes, 50);
    for (const Primitive& p : polylines)
        EXPECT_NE(p.colour, kGearBColour);
    EXPECT_TRUE(c.findText("Fwd at -0.75000:  MEP F 51.2 (ideal 55.5), R 49.0 (ideal 54.8) psi"));
    ASSERT_NE(c.findText("Fwd at -0.75000"), nullptr);
    EXPECT_NE(c.findText("Fwd at -0.75000")->text.find("not settled"), std::string::npos);
    EXPECT_TRUE(c.findText("B: longer lap"));
}

TEST(PerformanceChart, LeavesOffASteamRateThatWouldFlattenTheOthers) {
    const PerformanceChart ch = madeUpPerformance();
    RecordingCanvas c(kPerformanceChartSize.width, kPerformanceChartSize.height);
    drawPerformanceChart(ch, c);
    // 900 near mid gear is left off; the scale ends just above the others.
    EXPECT_TRUE(c.findText("above 124 left off")); // 4 x the middle rate, 31
    for (const Primitive& p : c.ofKind(PrimitiveKind::Text)) {
        if (p.coords[0] > 380 && p.coords[0] < 440 && p.coords[1] > 440) {
            EXPECT_LE(std::atof(p.text.c_str()), 40.0) << p.text;
        }
    }
}

struct Golden {
    const char* name;
    PictureExtent size;
    std::function<void(Canvas&)> draw;
};

class SteamPicture : public ::testing::TestWithParam<Golden> {};

TEST_P(SteamPicture, MatchesItsGoldenDrawList) {
    RecordingCanvas c(GetParam().size.width, GetParam().size.height);
    GetParam().draw(c);
    expectGoldenDrawList(c,
                         std::string(CORVELLAN_TEST_DATA) + "/steam/" + GetParam().name + ".txt");
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, SteamPicture,
    ::testing::Values(Golden{"indicator", indicatorChartSize(madeUpIndicator()),
                             [](Canvas& c) { drawIndicatorChart(madeUpIndicator(), c); }},
                      Golden{"performance", kPerformanceChartSize,
                             [](Canvas& c) { drawPerformanceChart(madeUpPerformance(), c); }}),
    [](const ::testing::TestParamInfo<Golden>& info) { return std::string(info.param.name); });

} // namespace
