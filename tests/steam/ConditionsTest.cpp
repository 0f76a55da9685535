// The operating conditions: their file, their units and what is refused.

#include "model/Model.h"
#include "steam/Conditions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>

using namespace corvellan;
using namespace corvellan::steam;

namespace {
constexpr double kBore = 2.125; // the nominal gear's, inches
}

TEST(Conditions, FileRoundTripsAndLeftOutKeysTakeTheirUnitsDefaults) {
    Conditions c = defaultConditions(UnitSystem::Metric);
    c.ChestTemperature = 231.25;
    c.PortBreadth = 43.1;
    c.Speed = 123.456789012345;
    c.Cylinders = 3;
    c.Fluid = FluidKind::PerfectGas;
    Conditions back;
    std::string error;
    ASSERT_TRUE(readConditionsJson(writeConditionsJson(c), back, &error)) << error;
    EXPECT_EQ(writeConditionsJson(back), writeConditionsJson(c));
    EXPECT_EQ(back.Speed, c.Speed);
    EXPECT_EQ(*back.ChestTemperature, 231.25);
    EXPECT_FALSE(back.PistonRodDia.has_value());

    // Only the speed given, in metric: every other figure is the metric
    // default, the same physical value as the imperial one.
    ASSERT_TRUE(readConditionsJson(R"({"Units": "metric", "Speed": 100})", back, &error)) << error;
    EXPECT_EQ(back.Units, UnitSystem::Metric);
    EXPECT_EQ(back.Speed, 100);
    EXPECT_NEAR(back.ChestPressure, 90 * 6894.757293168 / 1e5, 1e-9);
    EXPECT_NEAR(back.Atmosphere, 1.01325, 1e-5);
    EXPECT_EQ(back.ClearanceFront, 8);

    // The two unit systems give the same SI conditions for the same gear
    // (its lengths read in each system's unit).
    Model imperialGear = nominalModel();
    Conditions imperial = defaultConditions();
    imperial.ChestTemperature = 450;
    imperial.PistonRodDia = 0.3;
    const Conditions metric = convertUnits(imperial, UnitSystem::Metric);
    EXPECT_NEAR(*metric.ChestTemperature, (450 - 32) / 1.8, 1e-9);
    Model metricGear = imperialGear;
    metricGear.cyl.CylBoreDia = static_cast<Real>(kBore * 25.4);
    metricGear.frame.Stroke = static_cast<Real>(imperialGear.frame.Stroke * 25.4);
    const SiConditions a = toSi(imperial, imperialGear), b = toSi(metric, metricGear);
    EXPECT_NEAR(a.chestPressure, b.chestPressure, 1e-6);
    EXPECT_NEAR(a.backPressure, b.backPressure, 1e-6);
    EXPECT_NEAR(a.chestTemperature, b.chestTemperature, 1e-9);
    EXPECT_NEAR(a.pistonRodDia, b.pistonRodDia, 1e-12);
    EXPECT_NEAR(a.portBreadth, b.portBreadth, 1e-7);
    EXPECT_NEAR(a.stroke, b.stroke, 1e-7);
    EXPECT_NEAR(a.chestPressure, (90 + 14.696) * 6894.757293168, 1e-3);
}

TEST(Conditions, DryChestIsSaturatedAtItsPressure) {
    const SiConditions s = toSi(defaultConditions(), nominalModel());
    EXPECT_TRUE(s.chestSaturated);
    // 104.696 psia: about 331.3 degF by the steam tables.
    EXPECT_NEAR(kelvinToTemperature(UnitSystem::Imperial, s.chestTemperature), 331.3, 0.3);
    EXPECT_NEAR(s.portBreadth, 0.8 * kBore * 0.0254, 1e-12);
    EXPECT_NEAR(s.pistonRodDia, 0.15 * kBore * 0.0254, 1e-12);
}

TEST(Conditions, EveryBadValueIsRefusedWithItsName) {
    struct Case {
        const char* what;
        void (*change)(Conditions&);
        const char* name; // the condition the message must name
    };
    const Case cases[] = {
        {"NaN", [](Conditions& c) { c.Speed = std::numeric_limits<double>::quiet_NaN(); }, "Speed"},
        {"infinite", [](Conditions& c) { c.PortBreadth = HUGE_VAL; }, "PortBreadth"},
        {"chest at back", [](Conditions& c) { c.ChestPressure = 2; }, "ChestPressure"},
        {"below vacuum", [](Conditions& c) { c.BackPressure = -15; }, "vacuum"},
        {"below triple point", [](Conditions& c) { c.BackPressure = -14.65; }, "triple point"},
        {"speed 0", [](Conditions& c) { c.Speed = 0; }, "Speed"},
        {"speed high", [](Conditions& c) { c.Speed = 3000.5; }, "Speed"},
        {"clearance low", [](Conditions& c) { c.ClearanceFront = 0.49; }, "ClearanceFront"},
        {"clearance high", [](Conditions& c) { c.ClearanceRear = 100.1; }, "ClearanceRear"},
        {"Cd 0", [](Conditions& c) { c.DischargeCoefficient = 0; }, "DischargeCoefficient"},
        {"Cd above 1", [](Conditions& c) { c.DischargeCoefficient = 1.01; }, "DischargeCoefficient"},
        {"breadth 0", [](Conditions& c) { c.PortBreadth = 0; }, "PortBreadth"},
        {"rod as bore", [](Conditions& c) { c.PistonRodDia = kBore; }, "PistonRodDia"},
        {"wet chest", [](Conditions& c) { c.ChestTemperature = 300; }, "saturation"},
        {"gamma 1", [](Conditions& c) { c.Gamma = 1; }, "Gamma"},
        {"cylinders 0", [](Conditions& c) { c.Cylinders = 0; }, "Cylinders"},
    };
    EXPECT_EQ(validateConditions(defaultConditions(), kBore), "");
    EXPECT_EQ(validateConditions(defaultConditions(UnitSystem::Metric), kBore * 25.4), "");
    for (const Case& k : cases) {
        Conditions c = defaultConditions();
        k.change(c);
        const std::string message = validateConditions(c, kBore);
        EXPECT_NE(message.find(k.name), std::string::npos) << k.what << ": " << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << k.what;
    }
    // The smallest sound values pass.
    Conditions edge = defaultConditions();
    edge.ClearanceFront = 0.5;
    edge.DischargeCoefficient = 1;
    edge.Speed = 3000;
    EXPECT_EQ(validateConditions(edge, kBore), "");
}

TEST(Conditions, FilesThatAreNotConditionsAreRefusedAndChangeNothing) {
    Conditions kept = defaultConditions();
    kept.Speed = 42;
    const char* bad[] = {
        "",                                   // not JSON
        "{\"Speed\": 100",                    // cut short
        "[1, 2]",                             // not an object
        "{\"Speed\": 100, \"Sped\": 5}",      // unknown key
        "{\"Speed\": \"fast\"}",              // not a number
        "{\"Units\": \"furlongs\"}",          // unknown units
        "{\"Fluid\": \"air\"}",               // unknown fluid
        "{\"Cylinders\": 2.5}",               // not whole
        "{\"Speed\": null}",                  // only three may be null
    };
    for (const char* text : bad) {
        Conditions c = kept;
        std::string error;
        EXPECT_FALSE(readConditionsJson(text, c, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_EQ(c.Speed, 42) << text;
    }

    // A file that cannot be read, and one written and read back.
    const std::string path = ::testing::TempDir() + "corvellan_conditions_test.json";
    std::string error;
    Conditions c = kept;
    EXPECT_FALSE(readConditionsFile(path + ".missing", c, &error));
    ASSERT_TRUE(writeConditionsFile(path, kept, &error)) << error;
    c = defaultConditions();
    ASSERT_TRUE(readConditionsFile(path, c, &error)) << error;
    EXPECT_EQ(c.Speed, 42);
    std::remove(path.c_str());
}

TEST(Conditions, FileLiesBesideTheDimensionFile) {
    EXPECT_EQ(conditionsPathFor("gear.dco"), "gear.conditions.json");
    EXPECT_EQ(conditionsPathFor("/a.b/gear.v2.dco"), "/a.b/gear.v2.conditions.json");
    EXPECT_EQ(conditionsPathFor("/a.b/gear"), "/a.b/gear.conditions.json");
    EXPECT_EQ(conditionsPathFor("dir/.dco"), "dir/.dco.conditions.json");
}
