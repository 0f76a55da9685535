// The saturation line against the verification values of the IF97 release
// (tables 35 and 36), and the perfect gas against its own equations.

#include "steam/Fluid.h"
#include "steam/IF97.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace corvellan::steam;

TEST(IF97Saturation, MatchesTheReleaseVerificationValues) {
    // Printed to nine significant digits.
    EXPECT_NEAR(if97::saturationPressure(300) / 1e6, 0.353658941e-2, 5e-12);
    EXPECT_NEAR(if97::saturationPressure(500) / 1e6, 0.263889776e1, 5e-9);
    EXPECT_NEAR(if97::saturationPressure(600) / 1e6, 0.123443146e2, 5e-8);
    EXPECT_NEAR(if97::saturationTemperature(0.1e6), 0.372755919e3, 5e-7);
    EXPECT_NEAR(if97::saturationTemperature(1e6), 0.453035632e3, 5e-7);
    EXPECT_NEAR(if97::saturationTemperature(10e6), 0.584149488e3, 5e-7);
}

TEST(PerfectGas, StatesAgreeWhicheverWayTheyAreAsked) {
    const auto gas = makePerfectGas(1.3);
    const FluidState a = gas->fromPressureTemperature(7e5, 450);
    EXPECT_NEAR(a.p, (1.3 - 1) * a.rho * a.u, 1e-6);
    EXPECT_NEAR(a.h, 1.3 * a.u, 1e-6);
    EXPECT_DOUBLE_EQ(a.flowExponent, 1.3);
    const FluidState b = gas->fromDensityEnergy(a.rho, a.u);
    EXPECT_NEAR(b.p, a.p, 1e-6);
    EXPECT_NEAR(b.T, 450, 1e-9);
    // An isentrope: p v^gamma constant.
    const FluidState c = gas->fromPressureEntropy(1e5, a.s);
    EXPECT_NEAR(c.p / std::pow(c.rho, 1.3), a.p / std::pow(a.rho, 1.3), 1e-6 * a.p);
}
