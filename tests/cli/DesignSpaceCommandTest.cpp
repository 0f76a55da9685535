// corvellan sensitivity, tolerance and sweep, run as programs: the shapes of
// their JSON and CSV, the same output whatever the threads, and every bad
// input refused with one line before anything is computed.

#include "cli/RunProgram.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace clitest;

namespace {

QJsonObject parse(const std::string& text) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text.substr(0, 400);
    return doc.object();
}

const char* const kFigureKeys[] = {
    "CutOffFrontPct",  "CutOffRearPct",       "LeadFront",           "LeadRear",
    "ReleaseFrontPct", "ReleaseRearPct",      "CompressionFrontPct", "CompressionRearPct",
    "ValveTravel",     "CutOffDifferencePct", "LeadDifference"};

TEST(DesignSpaceCommands, WriteTheirJsonAndCsvShapes) {
    Outcome r = runCorvellan("sensitivity --json --vary LinkPivotHorz,EccCrankAngleDeg "
                             "--positions -0.74999,1.50001");
    ASSERT_EQ(r.status, 0) << r.out;
    const QJsonArray settings = parse(r.out)["Settings"].toArray();
    ASSERT_EQ(settings.size(), 2);
    EXPECT_EQ(settings[0].toObject()["Direction"].toString(), "Fwd");
    EXPECT_EQ(settings[1].toObject()["Direction"].toString(), "Rev");
    EXPECT_NEAR(settings[0].toObject()["RevArmPos"].toDouble(), -0.74999, 1e-6);
    const QJsonArray rates = settings[0].toObject()["Rates"].toArray();
    ASSERT_EQ(rates.size(), 2);
    const QJsonObject pivot = rates[0].toObject();
    EXPECT_EQ(pivot["Name"].toString(), "LinkPivotHorz");
    EXPECT_NEAR(pivot["Step"].toDouble(), 0.004, 1e-6);
    for (const char* key : kFigureKeys)
        EXPECT_TRUE(pivot[key].isDouble()) << key;
    EXPECT_TRUE(pivot["Smooth"].toBool());
    // Moving the link pivot towards the cylinder shortens the front cut-off.
    EXPECT_LT(pivot["CutOffFrontPct"].toDouble(), -100);

    r = runCorvellan("tolerance --json --samples 60 --seed 3 --pin-clearance 0.001 "
                     "--positions -0.74999");
    ASSERT_EQ(r.status, 0) << r.out;
    const QJsonObject study = parse(r.out);
    EXPECT_EQ(study["Samples"].toInt(), 60);
    EXPECT_EQ(study["Seed"].toInt(), 3);
    EXPECT_EQ(study["Infeasible"].toInt(), 0);
    const QJsonObject setting = study["Settings"].toArray()[0].toObject();
    EXPECT_EQ(setting["Direction"].toString(), "Fwd");
    const double share = setting["ShareOverLimit"].toDouble(-1);
    EXPECT_GE(share, 0);
    EXPECT_LE(share, 1);
    const QJsonObject figures = setting["Figures"].toObject();
    for (const char* key : kFigureKeys) {
        const QJsonObject f = figures[key].toObject();
        for (const char* stat : {"Mean", "Std", "P5", "P95", "Min", "Max"})
            EXPECT_TRUE(f[stat].isDouble()) << key << " " << stat;
        EXPECT_LE(f["Min"].toDouble(), f["P5"].toDouble()) << key;
        EXPECT_LE(f["P5"].toDouble(), f["P95"].toDouble()) << key;
        EXPECT_LE(f["P95"].toDouble(), f["Max"].toDouble()) << key;
    }

    // Three points at the three diagram positions, below a header.
    r = runCorvellan("sweep --csv --vary LinkPivotVert=3.1:3.2:3");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(lineCount(r.out), 1 + 3 * 3);
    EXPECT_EQ(r.out.rfind("LinkPivotVert,RevArmPos,Direction,Judgeable,GeometryError,", 0), 0u);
}

TEST(DesignSpaceCommands, PrintTheSameWhateverTheThreads) {
    const std::string study =
        "tolerance --csv --samples 200 --pin-clearance 0.002 --positions -0.74999,1.50001";
    const Outcome one = runCorvellan(study + " --threads 1");
    const Outcome two = runCorvellan(study + " --threads 2");
    ASSERT_EQ(one.status, 0) << one.out;
    EXPECT_EQ(one.out, two.out);
}

TEST(DesignSpaceCommands, RefuseEveryBadInputWithOneLine) {
    const char* const bad[] = {
        "sensitivity --vary NoSuchDimension",
        "sensitivity --vary LinkPivotHorz,LinkPivotHorz",
        "sensitivity --threads 0",
        "sensitivity --threads 100000",
        "tolerance --tolerance NoSuchDimension=0.01",
        "tolerance --tolerance MainRod=-0.01",
        "tolerance --tolerance MainRod=nan",
        "tolerance --tolerance MainRod=inf",
        "tolerance --tolerance SteamPortWidthRear=0.2",
        "tolerance --tolerance MainRod=0.01,MainRod=0.02",
        "tolerance --length-tolerance -0.001",
        "tolerance --length-tolerance 0.5",
        "tolerance --angle-tolerance inf",
        "tolerance --pin-clearance -0.001",
        "tolerance --pin-clearance nan",
        "tolerance --pin-clearance 2",
        "tolerance --samples 0",
        "tolerance --samples -5",
        "tolerance --samples 10000001",
        "tolerance --samples 1e3",
        "tolerance --seed -1",
        "tolerance --limit -1",
        "sweep",
        "sweep --vary NoSuchDimension=0:1:3",
        "sweep --vary MainRod=7:9:1",
        "sweep --vary MainRod=7:9:1001",
        "sweep --vary MainRod=7:9:99999999999999999999",
        "sweep --vary MainRod=7:9:1000,ValveRod=7:9:1000,Stroke=2:3:2",
        "sweep --vary MainRod=7:9:3,MainRod=7:9:3",
        "sweep --vary MainRod=7:9",
        "sweep --vary MainRod=7:inf:3",
        "sweep --vary MainRod=7:9:2,ValveRod=7:9:2,Stroke=2:3:2,EccCrankCirDia=1:2:2",
    };
    for (const char* args : bad) {
        SCOPED_TRACE(args);
        const Outcome r = runCorvellan(std::string(args) + " --json");
        EXPECT_EQ(r.status, 2) << r.out;
        EXPECT_EQ(lineCount(r.out), 1) << r.out;
        EXPECT_EQ(r.out.rfind("corvellan: ", 0), 0u) << r.out;
    }
}

} // namespace
