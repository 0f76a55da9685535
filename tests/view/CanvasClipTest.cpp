#include "view/CanvasClip.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using namespace corvellan;

TEST(ClipSegment, CutsToTheRectangleAndRejectsWhatMissesIt) {
    const ClipRect r{0, 0, 100, 50};
    double x1 = -100, y1 = 25, x2 = 200, y2 = 25;
    ASSERT_TRUE(clipSegment(x1, y1, x2, y2, r));
    EXPECT_DOUBLE_EQ(x1, 0);
    EXPECT_DOUBLE_EQ(x2, 100);
    double a = -10, b = -10, c = -1, d = 60;
    EXPECT_FALSE(clipSegment(a, b, c, d, r));
    double e = 10, f = 10, g = 20, h = 20; // inside: untouched
    ASSERT_TRUE(clipSegment(e, f, g, h, r));
    EXPECT_DOUBLE_EQ(g, 20);
    double n = NAN, o = 0, p = 5, q = 5;
    EXPECT_FALSE(clipSegment(n, o, p, q, r));
}

TEST(ClipSegment, SaturatedEndpointsKeepTheLinesDirection) {
    // From INT_MIN to INT_MAX through the middle of the picture.
    double x1 = INT_MIN, y1 = INT_MIN, x2 = INT_MAX, y2 = INT_MAX;
    ASSERT_TRUE(clipSegment(x1, y1, x2, y2, grownRect(1280, 1024, 64)));
    EXPECT_NEAR(x1, y1, 1e-3);
    EXPECT_NEAR(x2, y2, 1e-3);
    EXPECT_NEAR(x1, -64, 1e-3);
}

TEST(LastPixelBefore, StepsBackOnePixelAlongTheMajorAxis) {
    long long ex = 0, ey = 0;
    ASSERT_TRUE(lastPixelBefore(0, 0, 10, 0, ex, ey));
    EXPECT_EQ(ex, 9);
    EXPECT_EQ(ey, 0);
    ASSERT_TRUE(lastPixelBefore(0, 0, -3, 8, ex, ey));
    EXPECT_EQ(ex, -3); // 7/8 of the way: -2.625
    EXPECT_EQ(ey, 7);
    ASSERT_TRUE(lastPixelBefore(5, 5, 6, 6, ex, ey));
    EXPECT_EQ(ex, 5);
    EXPECT_EQ(ey, 5);
    EXPECT_FALSE(lastPixelBefore(3, 3, 3, 3, ex, ey));
    ASSERT_TRUE(lastPixelBefore(INT_MIN, 0, INT_MAX, 0, ex, ey)); // no overflow
    EXPECT_EQ(ex, INT_MAX - 1LL);
}

TEST(EllipseGeometry, BoxCentreAxesAndRadialAngles) {
    const EllipseShape e = ellipseInBox(0, 0, 21, 11); // columns 0..20, rows 0..10
    EXPECT_DOUBLE_EQ(e.cx, 10);
    EXPECT_DOUBLE_EQ(e.cy, 5);
    EXPECT_DOUBLE_EQ(e.a, 10);
    EXPECT_DOUBLE_EQ(e.b, 5);
    EXPECT_NEAR(radialAngle(e, 30, 5), 0, 1e-12);
    EXPECT_NEAR(radialAngle(e, 10, -20), M_PI / 2, 1e-12); // up on the screen
    // The radial at 45 degrees meets a flat ellipse at parametric atan(a/b).
    EXPECT_NEAR(radialAngle(e, 15, 0), std::atan2(10.0, 5.0), 1e-12);
    EXPECT_NEAR(counterClockwiseSpan(0.5, 0.5), 2 * M_PI, 1e-12);
    EXPECT_NEAR(counterClockwiseSpan(1, 0.5), 2 * M_PI - 0.5, 1e-12);
}

TEST(VisibleArc, HugeCircleIsReducedToItsChordsInsideThePicture) {
    // A circle of radius 1e9 whose left edge passes through column 100.
    const EllipseShape e{100 + 1e9, 500, 1e9, 1e9};
    const ClipRect r = grownRect(1280, 1024, 64);
    const auto polys = visibleArcPolylines(e, 0, 2 * M_PI, r);
    ASSERT_EQ(polys.size(), 1u);
    ASSERT_GT(polys[0].size(), 100u);
    for (const auto& p : polys[0]) {
        EXPECT_TRUE(r.contains(p.first, p.second));
        EXPECT_NEAR(p.first, 100, 1.0); // straight to the eye at this size
    }
    // Only the part of the arc asked for: the right half never reaches the picture.
    EXPECT_TRUE(visibleArcPolylines(e, -M_PI / 2, M_PI, r).empty());
    // A circle wholly outside draws nothing.
    EXPECT_TRUE(visibleArcPolylines(EllipseShape{-5000, -5000, 100, 100}, 0, 2 * M_PI, r).empty());
}
