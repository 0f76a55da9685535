// The true dead centres and piston position of an offset cylinder line,
// against the solver's own crosshead.

#include "analysis/PistonKinematics.h"
#include "model/Model.h"
#include "model/Solver.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace corvellan;

TEST(PistonKinematics, DeadCentresAreWhereTheSolvedCrossheadTurns) {
    for (double offset : {0.0, 0.25, -0.4}) {
        Model m = nominalModel();
        storeDimension(m, 102, static_cast<Ext>(offset)); // CylCLAboveDriverCtr
        const PistonKinematics k = pistonKinematics(m);
        ASSERT_TRUE(k.valid);
        // A fine scan of the solver's crosshead finds its extremes at the
        // reported angles, and the closed form agrees with it along the way.
        double best = -1e9, worst = 1e9, atBest = 0, atWorst = 0;
        for (int i = 0; i < 36000; ++i) {
            m.gear.DriverAngle = static_cast<Real>(i / 100.0);
            solve(m);
            const double x = m.pivots.X[3];
            EXPECT_NEAR(x, k.crossheadX(i / 100.0), 2e-6);
            if (x > best) best = x, atBest = i / 100.0;
            if (x < worst) worst = x, atWorst = i / 100.0;
        }
        auto angleGap = [](double a, double b) {
            return std::fabs(std::remainder(a - b, 360.0));
        };
        EXPECT_LT(angleGap(atBest, k.frontAngle), 0.3) << offset;
        EXPECT_LT(angleGap(atWorst, k.rearAngle), 0.3) << offset;
        EXPECT_NEAR(k.fraction(k.frontAngle), 0, 1e-12);
        EXPECT_NEAR(k.fraction(k.rearAngle), 1, 1e-12);
        if (offset == 0) {
            EXPECT_EQ(k.frontAngle, 0);
            EXPECT_EQ(k.rearAngle, 180);
        } else {
            // Offset upwards: the front dead centre comes just before 0 and
            // the rear one just before 180 (the pin below the line at both).
            EXPECT_EQ(offset > 0, k.frontAngle > 180) << k.frontAngle;
            EXPECT_EQ(offset > 0, k.rearAngle < 180) << k.rearAngle;
        }
        // The rate is the derivative of the fraction.
        for (double a : {10.0, 95.0, 200.0, 300.0}) {
            const double h = 1e-5;
            const double numeric = (k.fraction(a + h) - k.fraction(a - h)) / (2 * h * M_PI / 180);
            EXPECT_NEAR(k.fractionRate(a), numeric, 1e-6);
        }
    }
}
