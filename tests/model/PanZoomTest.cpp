#include "model/PanZoom.h"

#include <gtest/gtest.h>

using namespace corvellan;

namespace {

// The model point under a window point.
double modelX(const Model& m, double column) {
    return (column - m.view.current.ViewOffsetX) / m.view.current.ViewScale;
}
double modelY(const Model& m, double row) {
    return -(row - m.view.current.ViewOffsetY) / m.view.current.ViewScale;
}

} // namespace

TEST(Pan, IncrementsMoveTheOffsetsByFractionsOfAPixel) {
    Model m = nominalModel();
    panHorizontal(m, 0.1L);
    EXPECT_EQ(m.view.current.ViewOffsetX, 140.1f);
    for (int i = 0; i < 9; ++i)
        panHorizontal(m, 0.1L);
    EXPECT_NEAR(m.view.current.ViewOffsetX, 141.0, 1e-4);
    panVertical(m, 1.0L); // a positive increment moves the picture up
    EXPECT_EQ(m.view.current.ViewOffsetY, 269.0f);
    EXPECT_EQ(m.view.current.ViewScale, 28.0f);
}

TEST(Zoom, ArrowAndTroughStepsKeepTheCentrePoint) {
    Model m = nominalModel();
    double x = modelX(m, 320), y = modelY(m, 240);
    zoomView(m, 0.1L);
    EXPECT_FLOAT_EQ(m.view.current.ViewScale, 28.028f);
    EXPECT_NEAR(modelX(m, 320), x, 1e-5);
    EXPECT_NEAR(modelY(m, 240), y, 1e-5);
    zoomView(m, 1.0L);
    EXPECT_FLOAT_EQ(m.view.current.ViewScale, 28.028f * 1.01f);
    EXPECT_NEAR(modelX(m, 320), x, 1e-5);
}

TEST(Zoom, StopsAtHalfAPixelPerUnit) {
    Model m = nominalModel();
    for (int i = 0; i < 200; ++i)
        zoomView(m, -20.0L);
    EXPECT_EQ(m.view.current.ViewScale, 0.5f);
    // The last step left the offsets where its unclamped scale put them.
    Model step = m;
    zoomView(step, -20.0L);
    EXPECT_EQ(step.view.current.ViewScale, 0.5f);
    EXPECT_NEAR(step.view.current.ViewOffsetX, (m.view.current.ViewOffsetX - 320) * 0.8 + 320,
                1e-3);
}

TEST(Zoom, ScaleAboveTheLimitIsCappedBeforeZooming) {
    Model m = nominalModel();
    m.view.current.ViewScale = 5000;
    zoomView(m, 1.0L);
    EXPECT_EQ(m.view.current.ViewScale, 3000.0f);
}

TEST(Zoom, ZeroScaleLeavesTheOffsetsFinite) {
    Model m = nominalModel();
    m.view.current = {0, 100, 200};
    zoomView(m, 1.0L);
    EXPECT_EQ(m.view.current.ViewOffsetX, 100.0f);
    EXPECT_EQ(m.view.current.ViewOffsetY, 200.0f);
    EXPECT_EQ(m.view.current.ViewScale, 0.5f);
}

TEST(Presets, PendingViewIsStoredOnlyWhenArmed) {
    Model m = nominalModel();
    const ViewTransform three = m.view.presets[3];
    recallPreset(m, 3, false);
    EXPECT_EQ(m.view.current.ViewScale, three.ViewScale);
    EXPECT_EQ(m.view.current.ViewOffsetX, three.ViewOffsetX);
    EXPECT_EQ(m.view.presets[3].ViewOffsetY, three.ViewOffsetY);

    m.view.current = {40, 100, 200};
    takePendingPreset(m);
    panHorizontal(m, 5);
    recallPreset(m, 3, true);
    EXPECT_EQ(m.view.presets[3].ViewScale, 40.0f);
    EXPECT_EQ(m.view.presets[3].ViewOffsetX, 100.0f);
    EXPECT_EQ(m.view.current.ViewOffsetX, 100.0f); // the panning is undone
}

TEST(Presets, NormalViewKeepsTheViewItLeaves) {
    Model m = nominalModel();
    m.view.current = {62, 315, 237};
    returnToNormalView(m);
    EXPECT_EQ(m.view.saved.ViewScale, 62.0f);
    EXPECT_EQ(m.view.current.ViewScale, 28.0f);
    EXPECT_EQ(m.view.current.ViewOffsetX, 140.0f);
    EXPECT_EQ(m.view.current.ViewOffsetY, 270.0f);
}
