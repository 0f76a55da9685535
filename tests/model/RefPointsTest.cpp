#include "model/RefPoints.h"
#include "model/PivotPick.h"

#include <gtest/gtest.h>

using namespace corvellan;

namespace {

class RefPointsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        initialiseModel(m);
        setRefPointMode(m, true);
    }
    // One jog-bar click as the window delivers it: the change, then the snap-back.
    void click(RefBar bar, int position) {
        refBarChanged(m, bar, position);
        refBarChanged(m, bar, 0);
    }
    Real& h(int k) { return m.pivots.X[18 + k]; }
    Real& v(int k) { return m.pivots.Y[18 + k]; }

    Model m;
};

TEST_F(RefPointsTest, MousePlacementOnlyInsideTheDrawingAreaAndWhileOn) {
    // Normal view: scale 28, origin at pixel (140, 270).
    EXPECT_TRUE(placeRefPoint(m, 100, 200, MouseButton::Left)); // below row 120
    EXPECT_NEAR(h(1), -40.0 / 28, 1e-6);
    EXPECT_NEAR(v(1), 2.5, 1e-6);
    EXPECT_TRUE(m.refPoints.zeroEnabled[1]);
    EXPECT_FALSE(m.refPoints.zeroEnabled[2]);
    EXPECT_FALSE(placeRefPoint(m, 100, 90, MouseButton::Left)); // left of 247 in the band
    EXPECT_TRUE(placeRefPoint(m, 300, 90, MouseButton::Right));
    EXPECT_NEAR(h(2), 160.0 / 28, 1e-6);
    EXPECT_NEAR(h(1), -40.0 / 28, 1e-6);
    EXPECT_TRUE(inDrawingArea(248, 68));
    EXPECT_FALSE(inDrawingArea(247, 120));
    EXPECT_FALSE(inDrawingArea(400, 67));
    setRefPointMode(m, false);
    EXPECT_FALSE(placeRefPoint(m, 100, 200, MouseButton::Left));
}

TEST_F(RefPointsTest, JogBarsAndZeroButtons) {
    click(RefBar::Ref1Horz, 25); // trough
    click(RefBar::Ref1Horz, 1);  // arrow
    EXPECT_NEAR(h(1), 0.026, 1e-7);
    EXPECT_TRUE(m.refPoints.zeroEnabled[1]);
    click(RefBar::Ref2Vert, -1);
    EXPECT_NEAR(v(2), -0.001, 1e-7);
    EXPECT_EQ(v(1), 0);
    zeroRefPoint(m, 1);
    EXPECT_EQ(h(1), 0);
    EXPECT_FALSE(m.refPoints.zeroEnabled[1]);
    EXPECT_NEAR(v(2), -0.001, 1e-7); // the other point stays
    EXPECT_TRUE(m.refPoints.zeroEnabled[2]);
}

TEST_F(RefPointsTest, ReadoutShowsDifferencesAndDistance) {
    h(2) = 3;
    v(2) = 4;
    const auto r = refPointReadout(m);
    ASSERT_EQ(r.size(), 8u);
    EXPECT_EQ(r[2].text, "Pt2V  4.000");
    EXPECT_EQ(r[4].text + "|" + r[5].text, "-4.000|-3.000");
    EXPECT_EQ(r[7].x, 209);
    EXPECT_EQ(r[7].text, " 5.000");
}

TEST_F(RefPointsTest, RecentringBringsThePointToTheCentreAndSetsThePanBars) {
    h(1) = 2;
    v(1) = 1;
    RecentreTarget t = recentreOnRefPoint(m, 1);
    EXPECT_EQ(t.offsetX, 264);     // 320 - 2 x 28
    EXPECT_EQ(t.offsetY, 268);     // 28 x 1 + 240
    EXPECT_EQ(t.panHorz, -89);     // -(-56 + 180) x 100 / 140
    EXPECT_EQ(t.panVert, -1);      // (28 - 30) x 200 / 270
    m.view.current.ViewScale = 56; // bars measure against the normal view
    EXPECT_EQ(recentreOnRefPoint(m, 1).panHorz, -89);
    h(2) = 100;
    v(2) = -100;
    t = recentreOnRefPoint(m, 2);
    EXPECT_EQ(t.panHorz, 500); // limited to the bar
    EXPECT_EQ(t.panVert, -500);
    m.view.current.ViewScale = 0;
    EXPECT_EQ(recentreOnRefPoint(m, 2).panHorz, 0);
}

TEST_F(RefPointsTest, DialogOkStoresAndLeavesTheModeOn) {
    h(1) = 1.5f;
    v(2) = -12.25f;
    EXPECT_EQ(refDialogTexts(m), (RefDialogTexts{"0.000", "1.500", "-12.250", "0.000"}));
    EXPECT_FALSE(refDialogKeyAccepted('.', "1.2"));
    EXPECT_TRUE(refDialogKeyAccepted('-', "-1")); // minus is not limited
    EXPECT_FALSE(refDialogKeyAccepted('e', "1"));

    m.refPoints.zeroEnabled = {false, true, false};
    setRefPointMode(m, false);
    refDialogOk(m, {"0", "0", "0", "0"});
    EXPECT_TRUE(m.refPoints.mode);
    EXPECT_EQ(m.refPoints.zeroEnabled, (std::array<bool, 3>{false, true, false}));
    setPivotDataMode(m, true);
    refDialogOk(m, {"1.5", "-2", "x", "0"});
    EXPECT_EQ(v(1), 1.5f);
    EXPECT_EQ(h(1), -2.0f);
    EXPECT_EQ(v(2), 0.0f); // a text that does not convert reads as 0
    EXPECT_TRUE(m.pivotData.mode);
}

TEST_F(RefPointsTest, DialogCancelAndZeroLeaveTheModeOff) {
    h(1) = 1;
    m.refPoints.zeroEnabled = {false, true, true};
    setPivotDataMode(m, true);
    refDialogCancel(m);
    EXPECT_FALSE(m.refPoints.mode);
    EXPECT_FALSE(m.pivotData.mode); // falls with reference points
    EXPECT_EQ(h(1), 1);
    refDialogZero(m);
    EXPECT_FALSE(m.refPoints.mode);
    EXPECT_EQ(h(1), 0);
    EXPECT_EQ(m.refPoints.zeroEnabled, (std::array<bool, 3>{false, false, false}));
}

} // namespace
