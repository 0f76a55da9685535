// IF97's basic equations against the release's verification tables, and the
// steam fluid's inverse (the cylinder's hot path) against the equations.

#include "steam/IF97.h"
#include "steam/Fluid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace corvellan::steam;

namespace {

// Within half a unit of the ninth significant digit, as the tables print.
void expectPrinted(double actual, double printed, const char* what) {
    const double unit = std::pow(10.0, std::floor(std::log10(std::abs(printed))) - 8);
    EXPECT_NEAR(actual, printed, 0.5 * unit) << what;
}

} // namespace

TEST(IF97Regions, MatchTheReleaseVerificationTables) {
    struct Row {
        int region;
        double T, pMPa, v, h, u, s, cp, w; // the release's units: kJ, MPa
    };
    const Row rows[] = {
        // Table 5, region 1.
        {1, 300, 3, 0.100215168e-2, 0.115331273e3, 0.112324818e3, 0.392294792, 0.417301218e1,
         0.150773921e4},
        {1, 300, 80, 0.971180894e-3, 0.184142828e3, 0.106448356e3, 0.368563852, 0.401008987e1,
         0.163469054e4},
        {1, 500, 3, 0.120241800e-2, 0.975542239e3, 0.971934985e3, 0.258041912e1, 0.465580682e1,
         0.124071337e4},
        // Table 15, region 2.
        {2, 300, 0.0035, 0.394913866e2, 0.254991145e4, 0.241169160e4, 0.852238967e1, 0.191300162e1,
         0.427920172e3},
        {2, 700, 0.0035, 0.923015898e2, 0.333568375e4, 0.301262819e4, 0.101749996e2, 0.208141274e1,
         0.644289068e3},
        {2, 700, 30, 0.542946619e-2, 0.263149474e4, 0.246861076e4, 0.517540298e1, 0.103505092e2,
         0.480386523e3},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message()
                     << "region " << r.region << " at " << r.T << " K, " << r.pMPa << " MPa");
        const if97::Properties P =
            r.region == 1 ? if97::region1(r.pMPa * 1e6, r.T) : if97::region2(r.pMPa * 1e6, r.T);
        expectPrinted(P.v, r.v, "v");
        expectPrinted(P.h / 1e3, r.h, "h");
        expectPrinted(P.u / 1e3, r.u, "u");
        expectPrinted(P.s / 1e3, r.s, "s");
        expectPrinted(P.cp / 1e3, r.cp, "cp");
        expectPrinted(P.w, r.w, "w");
        // The isochoric heat capacity, from the same derivatives the inverse uses.
        EXPECT_NEAR(P.cv, P.cp + r.T * P.dvdT * P.dvdT / P.dvdp, 1e-9 * P.cp);
    }
}

TEST(IF97Regions, BoundariesSortStatesAndTheLineObeysClapeyron) {
    // The B23 equation's own check value (release, section 4).
    EXPECT_NEAR(if97::b23Pressure(623.15) / 1e6, 0.165291643e2, 5e-8);
    EXPECT_NEAR(if97::b23Temperature(0.165291643e8), 0.62315e3, 5e-6);

    EXPECT_EQ(if97::regionOf(3e6, 300), if97::Region::One);
    EXPECT_EQ(if97::regionOf(3500, 300), if97::Region::Two);
    EXPECT_EQ(if97::regionOf(30e6, 700), if97::Region::Two);   // just below B23
    EXPECT_EQ(if97::regionOf(31e6, 700), if97::Region::Three); // just above it
    EXPECT_EQ(if97::regionOf(1e6, 1500), if97::Region::Five);
    EXPECT_EQ(if97::regionOf(200e6, 300), if97::Region::Outside);
    EXPECT_EQ(if97::regionOf(1e5, 200), if97::Region::Outside);

    // dp_s/dT = (h'' - h') / (T (v'' - v')): the saturation equation and the
    // two regions agree to a few parts in 1e5, as the release says they do.
    for (double T : {273.16, 373.15, 450.0, 550.0, 623.15}) {
        const double p = if97::saturationPressure(T);
        const if97::Properties f = if97::region1(p, T), g = if97::region2(p, T);
        const double clapeyron = (g.h - f.h) / (T * (g.v - f.v));
        EXPECT_NEAR(if97::saturationPressureSlope(T) / clapeyron, 1, 1e-4) << T;
    }
}

TEST(SteamFluid, DensityAndEnergyGiveBackTheStateEitherSideOfTheLine) {
    const auto steam = makeSteam();
    std::vector<FluidState> states;
    for (double p : {2e3, 1e5, 7e5, 1.5e6, 5e6}) {
        const double Ts = if97::saturationTemperature(p);
        for (double dT : {0.01, 1.0, 30.0, 200.0})
            states.push_back(steam->fromPressureTemperature(p, Ts + dT));
        // Wet, from the liquid edge to the vapour edge, by entropy.
        const double sf = if97::region1(p, Ts).s, sg = if97::region2(p, Ts).s;
        for (double x : {1e-6, 0.3, 0.9, 1 - 1e-6})
            states.push_back(steam->fromPressureEntropy(p, sf + x * (sg - sf)));
    }
    states.push_back(steam->fromPressureTemperature(5e6, 400)); // compressed liquid

    const FluidState superheated = steam->fromPressureTemperature(7e5, 500);
    const FluidState wet = steam->fromPressureEntropy(7e5, 6000);
    for (const FluidState& a : states) {
        SCOPED_TRACE(testing::Message() << "p " << a.p << " T " << a.T << " x " << a.quality);
        // Cold, warm from itself nudged, and from states in the other phases.
        FluidState nudged = a;
        nudged.p *= 1.001;
        nudged.T *= 1.0005;
        const FluidState* hints[] = {nullptr, &nudged, &superheated, &wet};
        for (const FluidState* hint : hints) {
            const FluidState b = steam->fromDensityEnergy(a.rho, a.u, hint);
            EXPECT_FALSE(b.outOfRange);
            EXPECT_NEAR(b.p / a.p, 1, 1e-10);
            EXPECT_NEAR(b.T / a.T, 1, 1e-12);
            EXPECT_NEAR(b.h / a.h, 1, 1e-10);
            EXPECT_NEAR(b.s, a.s, 1e-9 * std::abs(a.s) + 1e-9);
            EXPECT_NEAR(b.quality, a.quality, 1e-9);
            EXPECT_EQ(b.flowExponent, a.flowExponent);
        }
    }
    EXPECT_EQ(superheated.flowExponent, 1.3);
    EXPECT_EQ(wet.flowExponent, 1.135);
    EXPECT_GT(wet.quality, 0);
    EXPECT_LT(wet.quality, 1);
}

TEST(SteamFluid, DrySaturatedSteamCountsAsSaturated) {
    const auto steam = makeSteam();
    const double p = 7.2e5, Ts = steam->saturationTemperature(p);
    // A chest temperature typed as the saturation temperature comes back
    // through a unit conversion a few ulps off it.
    const double typed = (((Ts - 273.15) * 1.8 + 32) - 32) / 1.8 + 273.15 + 1e-12 * Ts;
    for (const FluidState& a : {steam->saturatedVapour(p), steam->fromPressureTemperature(p, Ts),
                                steam->fromPressureTemperature(p, typed)}) {
        EXPECT_EQ(a.quality, 1);
        EXPECT_EQ(a.flowExponent, 1.135);
        EXPECT_NEAR(a.T, Ts, 1e-9);
        EXPECT_NEAR(a.s, if97::region2(p, Ts).s, 1e-6);
    }
    EXPECT_EQ(steam->fromPressureTemperature(p, Ts + 0.01).flowExponent, 1.3);
    EXPECT_EQ(steam->fromPressureTemperature(p, Ts - 0.01).quality, -1); // compressed liquid
}

TEST(SteamFluid, ClosedAdiabaticExpansionFollowsTheIsentrope) {
    // du = -p dv from superheated steam, through the saturation line into the
    // wet region, against the state of the starting entropy at the same
    // density. Exact while superheated; in the wet region IF97's saturation
    // line and its regions agree only to a few parts in 1e5, and the mixture
    // follows the isentrope to about 4e-7 in u.
    const auto steam = makeSteam();
    const FluidState start = steam->fromPressureTemperature(7.2e5, 523.15);
    const auto isentropeEnergy = [&](double v, double pGuess) {
        double p1 = pGuess, p2 = pGuess * 1.001;
        const auto miss = [&](double p) {
            return 1 / steam->fromPressureEntropy(p, start.s).rho - v;
        };
        for (int k = 0; k < 50 && std::abs(p2 - p1) > 1e-13 * p2; ++k) {
            const double f1 = miss(p1), f2 = miss(p2);
            const double p3 = p2 - f2 * (p2 - p1) / (f2 - f1);
            p1 = p2;
            p2 = p3;
        }
        return steam->fromPressureEntropy(p2, start.s).u;
    };
    FluidState hint = start;
    const auto dudv = [&](double v, double u) {
        hint = steam->fromDensityEnergy(1 / v, u, &hint);
        return -hint.p;
    };
    const double v0 = 1 / start.rho;
    double v = v0, u = start.u;
    const int steps = 600; // RK4 to 6 times the volume, checked at 1.5 and 6
    const double dv = 5 * v0 / steps;
    for (int i = 1; i <= steps; ++i) {
        const double k1 = dudv(v, u), k2 = dudv(v + dv / 2, u + dv / 2 * k1);
        const double k3 = dudv(v + dv / 2, u + dv / 2 * k2), k4 = dudv(v + dv, u + dv * k3);
        u += dv / 6 * (k1 + 2 * k2 + 2 * k3 + k4);
        v = v0 + i * dv;
        if (i == steps / 10) {
            ASSERT_EQ(hint.quality, -1); // still superheated
            EXPECT_NEAR(u / isentropeEnergy(v, hint.p), 1, 1e-12);
        }
    }
    const FluidState end = steam->fromDensityEnergy(1 / v, u);
    ASSERT_GT(end.quality, 0.9);
    ASSERT_LT(end.quality, 0.99);
    EXPECT_NEAR(u / isentropeEnergy(v, end.p), 1, 4e-7);
}

TEST(SteamFluid, WildStatesAreFlaggedNeverNaN) {
    const auto steam = makeSteam();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const auto finite = [](const FluidState& s) {
        return std::isfinite(s.p) && std::isfinite(s.T) && std::isfinite(s.rho) &&
               std::isfinite(s.u) && std::isfinite(s.h) && std::isfinite(s.s) &&
               std::isfinite(s.quality) && s.p > 0 && s.rho > 0;
    };
    const FluidState garbage{nan, nan, nan, nan, nan, nan, 0.5, nan};
    const double wild[] = {nan, -inf, -1e300, -1, 0, 1e-300, 1e-3, 1, 1e3, 1e6, 1e300, inf};
    for (double a : wild) {
        for (double b : wild) {
            SCOPED_TRACE(testing::Message() << a << ", " << b);
            const FluidState s1 = steam->fromDensityEnergy(a, b * 1e4);
            const FluidState s2 = steam->fromDensityEnergy(a, b * 1e4, &garbage);
            const FluidState s3 = steam->fromPressureTemperature(a * 1e5, b * 1e3);
            const FluidState s4 = steam->fromPressureEntropy(a * 1e5, b * 1e4);
            for (const FluidState& s : {s1, s2, s3, s4})
                EXPECT_TRUE(finite(s));
        }
        EXPECT_TRUE(finite(steam->saturatedVapour(a * 1e5)));
        EXPECT_TRUE(std::isfinite(steam->saturationTemperature(a * 1e5)));
    }
    // Beyond the regions: below the triple point, above 1073.15 K, region 3,
    // denser than water at 100 MPa.
    EXPECT_TRUE(steam->fromDensityEnergy(1, -1e5).outOfRange);
    EXPECT_TRUE(steam->fromDensityEnergy(1, 5e6).outOfRange);
    EXPECT_TRUE(steam->fromDensityEnergy(400, 2.0e6).outOfRange);
    EXPECT_TRUE(steam->fromDensityEnergy(1200, 1e5).outOfRange);
    EXPECT_TRUE(steam->fromPressureTemperature(50e6, 700).outOfRange);
    EXPECT_TRUE(steam->fromPressureTemperature(1e6, 1500).outOfRange);
    EXPECT_TRUE(steam->saturatedVapour(20e6).outOfRange);
    EXPECT_FALSE(steam->fromDensityEnergy(1, 2.6e6).outOfRange);
}
