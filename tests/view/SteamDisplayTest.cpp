#include "ViewTestSupport.h"

#include "view/SteamDisplay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

using namespace corvellan;
using namespace corvellan::testing;

namespace {

struct SteamFrame : ::testing::Test {
    Model m = nominalModel();
    FrameState f = fixedFrame();
    RecordingCanvas canvas;
    CountingSound sound;
    void SetUp() override { m.display.steamDisplay = true; }
    void tick() {
        canvas.clear();
        runTick(m, f, canvas, sound);
    }
    std::set<std::pair<int, int>> pixelSet() const {
        std::set<std::pair<int, int>> s;
        for (const Primitive& p : canvas.ofKind(PrimitiveKind::Pixel))
            s.insert({p.coords[0], p.coords[1]});
        return s;
    }
};

} // namespace

TEST(SteamDotCount, FollowsLevelAndZoomAndIsBounded) {
    EXPECT_EQ(steamDotCount(2000, 28), 3027);
    EXPECT_EQ(steamDotCount(25, 28), 38);
    EXPECT_EQ(steamDotCount(2000, 1e30L), kMaxDotsPerArea);
    EXPECT_EQ(steamDotCount(2000, -28), 0);
    EXPECT_EQ(steamDotCount(2000, std::numeric_limits<Ext>::quiet_NaN()), 0);
}

TEST_F(SteamFrame, EachCylinderSpaceGets3027DotsAtBothLevels2000) {
    m.events.front.steamLevel = 2000;
    m.events.rear.steamLevel = 2000;
    m.gear.StepAngle = 0; // levels stay where they are
    m.gear.DriverAngle = 90;
    tick();
    const SectionOutlines& s = f.section;
    ASSERT_LT(s.pistonFront, s.boreFront);
    ASSERT_LT(s.boreRear, s.pistonRear);
    EXPECT_EQ(pixelsInside(canvas, s.pistonFront, s.boreFront, s.boreTop, s.boreBottom), 3027);
    EXPECT_EQ(pixelsInside(canvas, s.boreRear, s.pistonRear, s.boreTop, s.boreBottom), 3027);
}

TEST_F(SteamFrame, StoppedMotionKeepsLevelsButMovesTheDots) {
    m.events.front.steamLevel = 800;
    m.events.rear.steamLevel = 600;
    m.gear.StepAngle = 0;
    tick();
    const auto first = pixelSet();
    f.seedSource = [] { return std::uint64_t{999}; };
    tick();
    EXPECT_FLOAT_EQ(m.events.front.steamLevel, 800);
    EXPECT_FLOAT_EQ(m.events.rear.steamLevel, 600);
    EXPECT_NE(pixelSet(), first);
}

TEST_F(SteamFrame, DotsTakeThePhaseColourOfTheirEnd) {
    m.gear.RevArmPos = m.gear.RevArmPositions[2]; // full forward gear
    m.gear.DriverAngle = 30;                      // front end admitting steam
    m.gear.StepAngle = 0;
    m.events.front.steamLevel = 1000;
    tick();
    const SectionOutlines& s = f.section;
    ASSERT_EQ(m.events.front.phase, Phase::Admission);
    long red = 0, other = 0;
    for (const Primitive& p : canvas.ofKind(PrimitiveKind::Pixel)) {
        const int x = p.coords[0], y = p.coords[1];
        if (x < s.pistonFront || x >= s.boreFront || y < s.boreTop || y >= s.boreBottom) continue;
        (p.colour == colours::Red ? red : other) += 1;
    }
    EXPECT_EQ(red, steamDotCount(1000, 28));
    EXPECT_EQ(other, 0);
}

TEST_F(SteamFrame, LegendOnlyWithScreenData) {
    tick();
    const Primitive* admission = canvas.findText("ADMISSION");
    ASSERT_NE(admission, nullptr);
    EXPECT_EQ(admission->colour, colours::Red);
    EXPECT_EQ(admission->coords[0], f.section.boreRear - 40);
    EXPECT_EQ(admission->coords[1], f.section.boreBottom + 5);
    m.display.screenData = false;
    tick();
    EXPECT_EQ(canvas.findText("ADMISSION"), nullptr);
}

TEST_F(SteamFrame, SteamIsDrawnUnderTheMechanism) {
    tick();
    const auto& prims = canvas.primitives();
    size_t lastPixel = 0, firstShape = prims.size();
    for (size_t i = 0; i < prims.size(); ++i) {
        if (prims[i].kind == PrimitiveKind::Pixel) lastPixel = i;
        if (prims[i].kind == PrimitiveKind::Ellipse && firstShape == prims.size()) firstShape = i;
    }
    EXPECT_LT(lastPixel, firstShape);
}

TEST_F(SteamFrame, ZeroPassageHeightBeepsOnlyWithErrorBeep) {
    // Bore top level with the passage top: the passage has no height.
    m.cyl.CylBoreDia = 3.0f;
    m.events.front.steamLevel = 2000;
    m.gear.StepAngle = 0;
    tick();
    ASSERT_EQ(f.section.boreTop, f.section.passageTop);
    EXPECT_GT(sound.beeps, 0);
    sound.beeps = 0;
    m.error.ErrorBeep = false;
    tick();
    EXPECT_EQ(sound.beeps, 0);
}

TEST_F(SteamFrame, WildZoomNeitherHangsNorDrawsOutsideTheBounds) {
    canvas.setKeepPixels(false);
    m.events.front.steamLevel = 2000;
    m.events.rear.steamLevel = 2000;
    for (Real scale : {1e30f, std::numeric_limits<Real>::infinity(),
                       std::numeric_limits<Real>::quiet_NaN(), -28.0f, 1e6f}) {
        m.view.current.ViewScale = scale;
        tick();
        EXPECT_LE(canvas.pixelCount(), 16 * kMaxDotsPerArea);
    }
    // Zoomed in so far that the cylinder fills the picture: bounded, not hung.
    m.view.current = ViewTransform{2000, -25000, 300};
    tick();
    EXPECT_GT(canvas.pixelCount(), 0);
    EXPECT_LE(canvas.pixelCount(), 16 * kMaxDotsPerArea);
}
