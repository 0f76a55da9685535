// corvellan indicator and performance, run as the program: the JSON the
// user reads, the conditions file beside the dimension file and over it,
// the loops' CSV, and the refusals.

#include "cli/RunProgram.h"
#include "model/DimensionFile.h"
#include "model/Model.h"
// After the model: Qt's keywords would clash with its names.
#include "cli/ParseJson.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using namespace clitest;
using namespace corvellan;

namespace {

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace

TEST(IndicatorCommand, JsonHoldsTheFiguresInTheConditionsUnits) {
    const Outcome r = runCorvellan("indicator --revarm -1.5 --json");
    ASSERT_EQ(r.status, 0) << r.out;
    const QJsonObject doc = parseJson(r.stdOut);
    EXPECT_EQ(doc["Units"].toObject()["Pressure"].toString(), "psi");
    EXPECT_EQ(doc["Conditions"].toObject()["Speed"].toDouble(), 300);
    // The breadth the default gives this bore: 0.8 x 2.125.
    EXPECT_DOUBLE_EQ(doc["Conditions"].toObject()["PortBreadth"].toDouble(), 1.7);
    const QJsonArray settings = doc["Settings"].toArray();
    ASSERT_EQ(settings.size(), 1);
    const QJsonObject s = settings[0].toObject();
    EXPECT_EQ(s["Direction"].toString(), "Fwd");
    EXPECT_TRUE(s["Settled"].toBool());
    EXPECT_FALSE(s["GeometryError"].toBool());
    const QJsonObject front = s["Front"].toObject();
    for (const char* key : {"MEP", "IdealMEP", "Work", "SteamPerRev", "PeakPressure",
                            "CutOffPressure"})
        EXPECT_TRUE(front[key].isDouble()) << key;
    // Gauge peak below the 90 psi gauge chest (it may pass it a hair).
    EXPECT_NEAR(front["PeakPressure"].toDouble(), 90, 1);
    EXPECT_NEAR(front["MEP"].toDouble(), 83.8, 1);
    // Power = Cylinders x both ends' work x rev/s, in hp of 550 ft lbf/s.
    const double work = front["Work"].toDouble() + s["Rear"].toObject()["Work"].toDouble();
    EXPECT_NEAR(s["IndicatedPower"].toDouble(), 2 * work * 300 / 60 / 550, 1e-4);

}

TEST(IndicatorCommand, ConditionsBesideTheGearAndOverItAndTheSpeedOverBoth) {
    Model m;
    initialiseModel(m);
    const std::string dims = tempPath("conditioned.dco");
    ASSERT_TRUE(saveDimensionFile(m, dims).ok);
    writeText(tempPath("conditioned.conditions.json"), "{\"Speed\": 100, \"Cylinders\": 1}");
    const std::string other = tempPath("other_conditions.json");
    writeText(other, "{\"Speed\": 50}");

    auto speedOf = [](const Outcome& r) {
        const QJsonObject doc = parseJson(r.stdOut);
        return doc["Settings"].toArray()[0].toObject()["Speed"].toDouble();
    };
    const Outcome beside = runCorvellan("indicator --dims " + dims + " --revarm -1.5 --json");
    ASSERT_EQ(beside.status, 0) << beside.out;
    EXPECT_EQ(speedOf(beside), 100);
    const Outcome given =
        runCorvellan("indicator --dims " + dims + " --conditions " + other + " --revarm -1.5 --json");
    ASSERT_EQ(given.status, 0) << given.out;
    EXPECT_EQ(speedOf(given), 50);
    const Outcome fast = runCorvellan("indicator --dims " + dims + " --conditions " + other +
                                      " --speed 200 --revarm -1.5 --json");
    ASSERT_EQ(fast.status, 0) << fast.out;
    EXPECT_EQ(speedOf(fast), 200);
    std::remove(tempPath("conditioned.conditions.json").c_str());
}

TEST(IndicatorCommand, CsvGivesTheLoopsOfBothEnds) {
    const Outcome r = runCorvellan("indicator --positions -1.5,1.5 --csv");
    ASSERT_EQ(r.status, 0) << r.out;
    // A header and 361 points per setting.
    EXPECT_EQ(lineCount(r.stdOut), 1 + 2 * 361);
    EXPECT_EQ(r.stdOut.rfind("RevArmPos,Direction,DriverAngle (deg),FrontPistonPct", 0), 0u);
    EXPECT_NE(r.stdOut.find("\n1.5,Rev,"), std::string::npos);
}

TEST(IndicatorCommand, BadConditionsAreRefusedWithOneLine) {
    const std::string notJson = tempPath("not.json");
    writeText(notJson, "Speed = 300");
    const std::string unknown = tempPath("unknown.json");
    writeText(unknown, "{\"Sped\": 300}");
    const std::string wet = tempPath("wet.json");
    writeText(wet, "{\"ChestTemperature\": 250}");
    for (const std::string& args :
         {"--conditions " + notJson, "--conditions " + unknown, "--conditions " + wet,
          std::string("--speed 0"), std::string("--speed 3001"),
          std::string("--conditions /nonexistent/c.json")}) {
        const Outcome r = runCorvellan("indicator " + args, 60);
        EXPECT_EQ(r.status, 2) << args << ": " << r.out;
        EXPECT_EQ(lineCount(r.stdErr), 1) << args << ": " << r.stdErr;
        EXPECT_TRUE(r.stdOut.empty()) << args;
    }
}

TEST(PerformanceCommand, MapsEachSettingAtEachSpeed) {
    const Outcome r = runCorvellan("performance --positions -1.5,-0.75 --speeds 100,800 --json");
    ASSERT_EQ(r.status, 0) << r.out;
    const QJsonObject doc = parseJson(r.stdOut);
    EXPECT_EQ(doc["Speeds"].toArray().size(), 2);
    const QJsonArray settings = doc["Settings"].toArray();
    ASSERT_EQ(settings.size(), 2);
    const QJsonObject half = settings[1].toObject();
    EXPECT_EQ(half["Direction"].toString(), "Fwd");
    EXPECT_TRUE(half["FrontCutOffPct"].isDouble());
    const QJsonArray rows = half["Speeds"].toArray();
    ASSERT_EQ(rows.size(), 2);
    // Short travel: wire-drawn at speed.
    EXPECT_GT(rows[0].toObject()["MeanMEP"].toDouble(), rows[1].toObject()["MeanMEP"].toDouble());
    EXPECT_EQ(rows[1].toObject()["Speed"].toDouble(), 800);

    const Outcome bad = runCorvellan("performance --speeds 100,0");
    EXPECT_EQ(bad.status, 2) << bad.out;
    EXPECT_EQ(lineCount(bad.stdErr), 1);
}
