// corvellan events, run as a program: its JSON read back by a real JSON
// parser, its leads against what corvellan solve prints, its CSV shape and
// its errors.

#include "cli/RunProgram.h"
#include "model/DimensionFile.h"
#include "model/Model.h"
// After the model: Qt's keywords would clash with its names.
#include "cli/ParseJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace clitest;
using namespace corvellan;

namespace {

// A dimension file whose front and rear ports, bridges and valve halves differ.
std::string unequalPortsFile() {
    Model m;
    initialiseModel(m);
    storeDimension(m, 114, 0.19); // SteamPortWidthFront
    storeDimension(m, 113, 0.13); // SteamPortWidthRear
    storeDimension(m, 111, 0.2);  // BridgeWidthRear
    storeDimension(m, 118, 0.70); // ValveLengthRearHalf
    storeDimension(m, 121, 0.36); // ValveExhCavityFrontHalf
    const std::string path = tempPath("unequal.dco");
    EXPECT_TRUE(saveDimensionFile(m, path).ok);
    return path;
}

void expectKeys(const QJsonObject& o, std::initializer_list<const char*> keys, bool numbers) {
    for (const char* key : keys) {
        ASSERT_TRUE(o.contains(key)) << key;
        if (numbers) {
            EXPECT_TRUE(o[key].isDouble() || o[key].isNull()) << key;
        }
    }
}

// The settings of `events --json` with every key the report promises.
QJsonArray checkedSettings(const std::string& args) {
    const Outcome r = runCorvellan("events --json " + args);
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(lineCount(r.out), 1);
    const QJsonObject root = parseJson(r.out);
    EXPECT_TRUE(root["RevArmCen"].isDouble());
    const QJsonArray settings = root["Settings"].toArray();
    for (const QJsonValue& v : settings) {
        const QJsonObject s = v.toObject();
        expectKeys(s, {"RevArmPos", "ValveTravel", "LeadDifference", "CutOffDifference"}, true);
        EXPECT_TRUE(s["Direction"] == "Fwd" || s["Direction"] == "Rev" ||
                    s["Direction"] == "Neutral");
        for (const char* end : {"Front", "Rear"})
            expectKeys(s[end].toObject(),
                       {"Lead", "AdmissionAngle", "AdmissionPct", "CutOffAngle", "CutOffPct",
                        "ReleaseAngle", "ReleasePct", "CompressionAngle", "CompressionPct",
                        "MaxSteamOpening", "MaxExhaustOpening"},
                       true);
        EXPECT_FALSE(s["Events"].toArray().isEmpty());
        for (const QJsonValue& e : s["Events"].toArray()) {
            expectKeys(e.toObject(), {"Angle", "Pct"}, true);
            EXPECT_TRUE(e.toObject()["Kind"].toString().contains(" opens") ||
                        e.toObject()["Kind"].toString().contains(" closes"));
        }
    }
    return settings;
}

double solvedOpening(const std::string& dims, double revArm, int angle, const char* which) {
    char args[160];
    std::snprintf(args, sizeof args, "solve --json --dims %s --revarm %.9g --angle %d",
                  dims.c_str(), revArm, angle);
    const Outcome r = runCorvellan(args);
    EXPECT_EQ(r.status, 0) << r.out;
    return parseJson(r.out)[which].toDouble();
}

} // namespace

TEST(EventsCommand, JsonHoldsEveryFigureOfEverySettingAndTheLeadsAreTheSolvedOpenings) {
    EXPECT_EQ(checkedSettings("").size(), 3); // mid gear, normal forward, normal reverse
    EXPECT_EQ(checkedSettings("--sweep").size(), 21);
    const std::string dims = unequalPortsFile();
    const QJsonArray settings = checkedSettings("--dims " + dims + " --positions -1.2,0.00001,1.3");
    ASSERT_EQ(settings.size(), 3);
    for (const QJsonValue& v : settings) {
        const QJsonObject s = v.toObject();
        const double setting = s["RevArmPos"].toDouble();
        EXPECT_EQ(s["Front"]["Lead"].toDouble(),
                  solvedOpening(dims, setting, 0, "FrontSteamOpening"));
        EXPECT_EQ(s["Rear"]["Lead"].toDouble(),
                  solvedOpening(dims, setting, 180, "RearSteamOpening"));
        EXPECT_NE(s["Front"]["Lead"].toDouble(), s["Rear"]["Lead"].toDouble());
    }
    EXPECT_EQ(settings[0]["Direction"], "Fwd");
    EXPECT_EQ(settings[1]["Direction"], "Neutral"); // the constructed mid gear
    EXPECT_EQ(settings[2]["Direction"], "Rev");
}

TEST(EventsCommand, JsonGivesTheTrueNeutralBesideMidGearAndFlagsOverTravelPerEnd) {
    // The nominal gear stops driving 0.031 forward of its constructed mid
    // gear; at full gear both valve edges run over the bridges.
    const Outcome r = runCorvellan("events --json --positions 0.00001,-1.7,-0.5");
    ASSERT_EQ(r.status, 0) << r.out;
    const QJsonObject root = parseJson(r.stdOut);
    EXPECT_NEAR(root["NeutralFront"].toDouble(), -0.0311, 5e-4);
    EXPECT_NEAR(root["NeutralRear"].toDouble(), -0.0321, 5e-4);
    const QJsonArray s = root["Settings"].toArray();
    ASSERT_EQ(s.size(), 3);
    EXPECT_EQ(s[0]["Direction"], "Neutral");
    for (const char* end : {"Front", "Rear"}) {
        EXPECT_TRUE(s[1][end]["OverTravel"].toBool()) << end;
        EXPECT_FALSE(s[2][end]["OverTravel"].toBool()) << end;
        EXPECT_TRUE(s[1][end]["OverTravel"].isBool());
    }
}

TEST(EventsCommand, CsvHasAHeaderAndARowPerSettingAndEndAndTheTableABlockPerSetting) {
    const Outcome csv = runCorvellan("events --csv --positions -1,0.5");
    ASSERT_EQ(csv.status, 0) << csv.out;
    std::istringstream lines(csv.out);
    std::string line;
    std::vector<std::string> rows;
    while (std::getline(lines, line))
        rows.push_back(line);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].rfind("RevArmPos,Direction,End,ValveTravel,Lead,AdmissionAngle,", 0), 0u);
    for (const std::string& row : rows)
        EXPECT_EQ(std::count(row.begin(), row.end(), ','), 17) << row;
    EXPECT_EQ(rows[1].rfind("-1,Fwd,Front,", 0), 0u) << rows[1];
    EXPECT_EQ(rows[4].rfind("0.5,Rev,Rear,", 0), 0u) << rows[4];

    const Outcome text = runCorvellan("events --sweep");
    ASSERT_EQ(text.status, 0);
    size_t blocks = 0;
    for (size_t at = text.out.find("\nSetting "); at != std::string::npos;
         at = text.out.find("\nSetting ", at + 1))
        ++blocks;
    EXPECT_EQ(blocks, 21u);
}

TEST(EventsCommand, BadUsageAndBadFilesGiveOneLineAndStatusTwo) {
    for (const char* args :
         {"events --positions", "events --positions 1,,2", "events --positions x",
          "events --positions ''", "events --positions 1,nan", "events --sweep --positions 1",
          "events --json --csv", "events --bogus", "events --dims /no/such/file.dco"}) {
        const Outcome r = runCorvellan(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(lineCount(r.out), 1) << args << ": " << r.out;
    }
}

TEST(EventsCommand, TheNominalTableMatchesItsGoldenCopy) {
    const Outcome r = runCorvellan("events");
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string path = std::string(CORVELLAN_TEST_DATA) + "/events_nominal.txt";
    if (std::getenv("CORVELLAN_UPDATE_GOLDEN")) {
        std::ofstream(path) << r.out;
        GTEST_SKIP() << "wrote " << path;
    }
    EXPECT_EQ(r.out, slurp(path));
}
