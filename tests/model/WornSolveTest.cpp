// The solve through worn pin joints: without offsets it is the plain solve
// bit for bit; with them every member keeps its length between its own eyes.

#include "model/Model.h"
#include "model/Solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace corvellan;

namespace {

template <typename T> bool sameBits(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

Model oddGear() {
    Model m = nominalModel();
    storeDimension(m, MainRodCode, 1.2f); // too short to reach the cylinder line
    storeDimension(m, LinkPivotHorzCode, 0.37f);
    storeDimension(m, CylCLAboveDriverCtrCode, -0.21f);
    return m;
}

TEST(WornSolve, ZeroOffsetsGiveThePlainSolveBitForBit) {
    const JointOffsets none;
    int compared = 0;
    for (const Model& gear : {nominalModel(), oddGear()}) {
        for (Real setting : {gear.gear.RevArmCen(), -1.7f, -0.61f, 1.7f}) {
            for (int a = 0; a < 360; a += 7) {
                Model plain = gear, worn = gear;
                plain.gear.RevArmPos = worn.gear.RevArmPos = setting;
                plain.gear.DriverAngle = worn.gear.DriverAngle = static_cast<Real>(a) + 0.25f;
                solve(plain);
                const Ext shift = solveWorn(worn, none);
                ASSERT_EQ(shift, 0);
                ASSERT_TRUE(sameBits(plain.pivots.X, worn.pivots.X)) << a;
                ASSERT_TRUE(sameBits(plain.pivots.Y, worn.pivots.Y)) << a;
                ASSERT_TRUE(sameBits(plain.LinkAngle, worn.LinkAngle));
                ASSERT_TRUE(sameBits(plain.ValveLeverAngle, worn.ValveLeverAngle));
                ASSERT_TRUE(sameBits(plain.lap, worn.lap));
                ASSERT_EQ(plain.error.GeometryError, worn.error.GeometryError);
                ++compared;
            }
        }
    }
    EXPECT_EQ(compared, 2 * 4 * 52);
}

double length(Ext ax, Ext ay, Ext bx, Ext by) {
    return static_cast<double>(std::hypot(ax - bx, ay - by));
}

TEST(WornSolve, MembersKeepTheirLengthsBetweenTheirOwnEyes) {
    Model m = nominalModel();
    JointOffsets w;
    const double d[kPinJoints][2] = {{0.004, -0.003},  {-0.002, 0.005}, {0.003, 0.004},
                                     {-0.005, 0.001},  {0.002, -0.004}, {0.001, 0.003},
                                     {-0.004, -0.002}, {0.003, -0.001}};
    for (int j = 0; j < kPinJoints; ++j)
        w.at[j] = {d[j][0], d[j][1]};
    const FrameDimensions& f = m.frame;
    auto& X = m.pivots.X;
    auto& Y = m.pivots.Y;
    for (int a = 0; a < 360; a += 15) {
        SCOPED_TRACE("angle " + std::to_string(a));
        Model plain = m;
        m.gear.DriverAngle = plain.gear.DriverAngle = static_cast<Real>(a);
        m.gear.RevArmPos = plain.gear.RevArmPos = -1.1f;
        solve(plain);
        const Ext shift = solveWorn(m, w);
        ASSERT_FALSE(m.error.GeometryError);
        const auto& o = w.at;
        // Main rod from its big-end eye to its small-end eye; the crosshead on
        // its line, moved by the difference from the plain solve.
        EXPECT_NEAR(length(X[2] + o[CrankPinJoint].x, Y[2] + o[CrankPinJoint].y,
                           X[3] - o[CrossheadJoint].x, Y[3] - o[CrossheadJoint].y),
                    f.MainRod, 2e-5);
        EXPECT_EQ(Y[3], plain.pivots.Y[3]);
        EXPECT_NEAR(static_cast<double>(shift), X[3] - plain.pivots.X[3], 2e-6);
        // The link on its eye about the frame pivot, straight through it.
        const Ext px = X[9] + o[LinkPivotJoint].x, py = Y[9] + o[LinkPivotJoint].y;
        EXPECT_NEAR(length(X[18], Y[18], px, py), f.RevArmLinkUpper, 2e-5);
        EXPECT_NEAR(length(X[11], Y[11], px, py), f.LinkLower, 2e-5);
        EXPECT_NEAR(X[18], -1.1 + o[RevArmJoint].x, 1e-6);
        // The valve lever from its foot on the eccentric pin to its upper
        // end, whose die lies on the link line; the valve-rod pin on it.
        const Ext footX = X[5] + o[EccentricPinJoint].x, footY = Y[5] + o[EccentricPinJoint].y;
        EXPECT_NEAR(length(X[7], Y[7], footX, footY), f.ValveLeverLower + f.ValveLeverUpper, 2e-5);
        EXPECT_NEAR(length(X[6], Y[6], footX, footY), f.ValveLeverLower, 2e-5);
        const Ext dieX = X[7] - o[LinkDieJoint].x, dieY = Y[7] - o[LinkDieJoint].y;
        const Ext cross = (X[18] - X[11]) * (dieY - Y[11]) - (Y[18] - Y[11]) * (dieX - X[11]);
        EXPECT_NEAR(static_cast<double>(cross), 0, 2e-5);
        // The valve rod between its two eyes; the spindle crosshead on its line.
        EXPECT_NEAR(length(X[6] + o[LeverRodJoint].x, Y[6] + o[LeverRodJoint].y,
                           X[4] - o[ValveCrossheadJoint].x, Y[4] - o[ValveCrossheadJoint].y),
                    f.ValveRod, 2e-5);
        EXPECT_EQ(Y[4], plain.pivots.Y[4]);
        // And the wear moved the valve.
        EXPECT_NE(X[4], plain.pivots.X[4]);
    }
}

} // namespace
