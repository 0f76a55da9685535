// The chart of cut-off against the reverse-arm setting: its curve follows
// the events of the gear on each side of mid gear, and its drawing, with a
// compared gear over it, is kept as a golden draw list on made-up figures.

#include "diagrams/CutOffChart.h"
#include "analysis/CutOffCurve.h"
#include "support/GoldenDrawList.h"
#include "view/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace corvellan;

namespace {

CutOffCurve madeUpCurve(double frontShift, bool rearGap) {
    CutOffCurve k;
    k.revArmCen = 0.01f;
    k.revArmToCentMax = 1.6f;
    for (int i = 0; i <= 4; ++i) {
        for (const bool forward : {true, false}) {
            CutOffPoint p;
            p.travelPct = 25.0 * i;
            p.revArmPos = static_cast<Real>(0.01 + (forward ? -0.4 : 0.4) * i);
            p.front = 10 + 18 * i + frontShift;
            // The rear port of the made-up gear fails to cut off once at 50 %.
            if (!(rearGap && forward && i == 2)) p.rear = 6 + 19 * i;
            (forward ? k.forward : k.reverse).push_back(p);
        }
    }
    return k;
}

} // namespace

TEST(CutOffCurve, EachHalfRunsItsOwnWayFromMidGearToFullGear) {
    const Model m = nominalModel();
    const CutOffCurve k = computeCutOffCurve(m);
    ASSERT_EQ(k.forward.size(), static_cast<size_t>(kCutOffCurveSteps + 1));
    ASSERT_EQ(k.reverse.size(), k.forward.size());
    EXPECT_EQ(k.forward.front().revArmPos, m.gear.RevArmCen());
    EXPECT_EQ(k.reverse.front().revArmPos, m.gear.RevArmCen());
    // At full gear the steam itself says which way the gear runs: the
    // curve's figures are those events.
    const Real fwd = clampToReal(static_cast<Ext>(m.gear.RevArmCen()) - m.frame.RevArmToCentMax);
    const Real rev = clampToReal(static_cast<Ext>(m.gear.RevArmCen()) + m.frame.RevArmToCentMax);
    const EventsReport full = computeEvents(m, std::vector<Real>{fwd, rev});
    ASSERT_EQ(full.settings[0].direction, RunningDirection::Forward);
    ASSERT_EQ(full.settings[1].direction, RunningDirection::Reverse);
    EXPECT_EQ(k.forward.back().revArmPos, fwd);
    EXPECT_EQ(k.forward.back().front, full.settings[0].front.cutOffPct);
    EXPECT_EQ(k.forward.back().rear, full.settings[0].rear.cutOffPct);
    EXPECT_EQ(k.reverse.back().revArmPos, rev);
    EXPECT_EQ(k.reverse.back().front, full.settings[1].front.cutOffPct);
    EXPECT_EQ(k.reverse.back().rear, full.settings[1].rear.cutOffPct);
}

TEST(CutOffChart, MatchesItsGoldenDrawListWithGearBDashedOverIt) {
    const CutOffChartGear a{"five-inch", madeUpCurve(0, true)};
    const CutOffChartGear b{"balanced", madeUpCurve(-4, false)};
    RecordingCanvas c(kCutOffChartSize.width, kCutOffChartSize.height);
    drawCutOffChart(a, &b, c);
    expectGoldenDrawList(c, std::string(CORVELLAN_TEST_DATA) + "/diagrams/cutoffs.txt");
    // Without B: no dashes and no B in the legend.
    RecordingCanvas alone(kCutOffChartSize.width, kCutOffChartSize.height);
    drawCutOffChart(a, nullptr, alone);
    EXPECT_LT(alone.toText().size(), c.toText().size());
    EXPECT_EQ(alone.toText().find("B: balanced"), std::string::npos);
    EXPECT_NE(c.toText().find("B: balanced"), std::string::npos);
}
