#include "model/Motion.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace corvellan;

TEST(StepLadder, RungsEndJustBelowTheMappedHalfwayValues) {
    // Halfway values 0.015, 0.025, 0.04, 0.08 and these times 10, 100, 1000 up to 40.
    const double halfway[] = {0.015, 0.025, 0.04, 0.08, 0.15, 0.25, 0.4, 0.8,
                              1.5,   2.5,   4,    8,    15,   25,   40};
    int first = 0;
    for (double h : halfway) {
        int boundary = static_cast<int>(std::floor(4000 * std::log10(h * 100)));
        StepRung rung = stepRungAt(first);
        EXPECT_EQ(rung.lastPosition, boundary) << "rung starting at " << first;
        EXPECT_EQ(stepRungAt(boundary).step, rung.step);
        EXPECT_NE(stepRungAt(boundary + 1).step, rung.step);
        first = boundary + 1;
    }
    EXPECT_EQ(stepRungAt(14613).step, 45.0f);
}

TEST(StepLadder, EveryStepSnapsToItselfWithItsDriverBarSteps) {
    const float steps[] = {0.01f, 0.02f, 0.03f, 0.05f, 0.1f, 0.2f, 0.3f, 0.5f,
                           1,     2,     3,     5,     10,   20,   30,   45};
    for (float s : steps) {
        StepRung rung = stepRungAt(stepScrollForStep(s));
        EXPECT_EQ(rung.step, s);
        EXPECT_EQ(rung.driverSmallChange, std::lround(s * 100)) << s;
        // The trough step is five arrow steps, but never more than 45 degrees.
        EXPECT_EQ(rung.driverLargeChange, std::min(4500L, std::lround(s * 500))) << s;
    }
}

TEST(StepLadder, BarPositionsOfSteps) {
    EXPECT_EQ(stepScrollForStep(0.01L), 0);
    EXPECT_EQ(stepScrollForStep(1), 8000);
    EXPECT_EQ(stepScrollForStep(10), 12000);
    EXPECT_EQ(stepScrollForStep(45), 14613);
    EXPECT_EQ(stepScrollForStep(7), 11380); // lies in the rung of 5
    EXPECT_EQ(stepRungAt(11380).step, 5.0f);
    EXPECT_EQ(stepScrollForStep(0), 0);
    // A typed step sets the driver bar's steps without the ladder's cap.
    EXPECT_EQ(driverSmallChangeForStep(7), 700);
    EXPECT_EQ(driverLargeChangeForStep(45), 22500);
}

TEST(ReverseArm, ScrollPositionsMapAboutMidGear) {
    Model m = nominalModel();
    revArmScrolled(m, 0);
    EXPECT_EQ(m.gear.Direction, "Fwd");
    EXPECT_TRUE(revArmAwayFromNormalFwd(m));
    EXPECT_TRUE(revArmAwayFromNormalRev(m));

    m.events.front.cutOffText = "23.5";
    m.events.rear.cutOffText = "24.0";
    revArmScrolled(m, -1);
    EXPECT_FLOAT_EQ(m.gear.RevArmPos, 0.00101f);
    EXPECT_EQ(m.gear.Direction, "Rev");
    EXPECT_EQ(m.events.front.cutOffText, "");
    EXPECT_EQ(m.events.rear.cutOffText, "");

    EXPECT_EQ(revArmScrollForNormalFwd(m, 1700), 1500);
    EXPECT_EQ(revArmScrollForNormalRev(m, -1700), -1500);
    revArmScrolled(m, 1500);
    EXPECT_FALSE(revArmAwayFromNormalFwd(m));
    EXPECT_TRUE(revArmAwayFromNormalRev(m));
    EXPECT_EQ(m.gear.Direction, "Fwd");
    revArmScrolled(m, -1500);
    EXPECT_FALSE(revArmAwayFromNormalRev(m));
    EXPECT_EQ(m.gear.Direction, "Rev");
}

TEST(ReverseArm, TypedSettingIsClampedToTheTravel) {
    Model m = nominalModel();
    m.gear.RevArmPositions[0] = 0.5f;
    EXPECT_NEAR(static_cast<double>(clampRevArmEntry(m, 99)), 2.2, 1e-6);
    EXPECT_EQ(revArmScrollForPos(m, clampRevArmEntry(m, 99)), -1700);
    EXPECT_EQ(revArmScrollForPos(m, clampRevArmEntry(m, -99)), 1700);
    EXPECT_EQ(revArmScrollForPos(m, 0.25L), 250);
}

TEST(ReverseArm, NoTravelGivesNoNormalPositions) {
    Model m = nominalModel();
    m.frame.RevArmToCentMax = 0;
    EXPECT_EQ(revArmScrollForNormalFwd(m, 0), 0);
    EXPECT_EQ(revArmScrollForNormalRev(m, 0), 0);
}

TEST(EntryDialogs, ValuesAreClamped) {
    EXPECT_EQ(clampDriverAngleEntry(400), 360);
    EXPECT_EQ(clampDriverAngleEntry(-5), 0);
    EXPECT_EQ(clampDriverAngleEntry(123.456L), 123.456L);
    EXPECT_EQ(clampStepEntry(0), 0.01L);
    EXPECT_EQ(clampStepEntry(100), 45);
    EXPECT_EQ(clampStepEntry(7), 7);
    EXPECT_EQ(clampGraphicZoom(0.1L), 0.5L);
    EXPECT_EQ(clampGraphicZoom(5000), 2000);
    EXPECT_EQ(clampGraphicZoom(NAN), 0.5L);
}

TEST(EntryDialogs, KeyFilterLetsNumbersThrough) {
    for (char c : std::string("0123456789.\b"))
        EXPECT_TRUE(entryKeyAccepted(c, "", false)) << c;
    EXPECT_FALSE(entryKeyAccepted('-', "", false));
    EXPECT_TRUE(entryKeyAccepted('-', "1.5", true));
    for (char c : std::string("aZe+, \r"))
        EXPECT_FALSE(entryKeyAccepted(c, "", true)) << c;
    // At most one "." and one "-".
    EXPECT_FALSE(entryKeyAccepted('.', "1.5", true));
    EXPECT_FALSE(entryKeyAccepted('-', "-1", true));
    EXPECT_TRUE(entryKeyAccepted('\b', "-1.5", true));
}

TEST(EntryDialogs, TextThatDoesNotConvertCountsAsZero) {
    EXPECT_EQ(entryValue("  1.500"), 1.5L);
    EXPECT_EQ(entryValue("1-2"), 0);
    EXPECT_EQ(entryValue("-"), 0);
    EXPECT_EQ(entryValue(""), 0);
}
