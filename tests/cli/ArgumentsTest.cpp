// The command line's arguments: nothing quietly wrong (an empty value, a file
// that is no file, a value moved into range without a word), the help of a
// command about that command, and figures without noise in what the
// commands print.

#include "cli/RunProgram.h"
#include "model/DimensionFile.h"
#include "model/Model.h"
// After the model: Qt's keywords would clash with its names.
#include "cli/ParseJson.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <sstream>
#include <sys/stat.h>

using namespace clitest;
using namespace corvellan;

namespace {

const std::string kSample = std::string(CORVELLAN_TEST_DATA) + "/sample.dco";

bool exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

std::string savedGear(const std::string& name, int code, Ext value) {
    Model m = nominalModel();
    storeDimension(m, code, value);
    const std::string path = tempPath(name);
    EXPECT_TRUE(saveDimensionFile(m, path).ok);
    return path;
}

} // namespace

TEST(Arguments, EmptyValuesAndFilesThatAreNoFilesAreRefusedAndNothingIsWritten) {
    const std::string png = tempPath("never.png"), dco = tempPath("never.dco");
    const std::string fifo = tempPath("gear_pipe.dco");
    std::remove(png.c_str());
    std::remove(dco.c_str());
    std::remove(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& args : std::initializer_list<std::string>{
             "events --dims ''", "render sine --compare '' -o " + png,
             "balance --weights '' -o " + dco, "balance --vary '' -o " + dco, "balance -o ''",
             "compare '' " + kSample, "table --pivots ''", "render sine --positions '' -o " + png,
             "events --dims " + fifo, "render sine --compare " + fifo + " -o " + png,
             "events --dims " + ::testing::TempDir(), "events --dims /dev/null",
             "events --dims " + kSample + " --dims " + kSample, "events solve"}) {
        const Outcome r = runCorvellan(args, 20); // a pipe read would wait for ever
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_TRUE(r.stdOut.empty()) << args << ": " << r.stdOut;
        EXPECT_EQ(lineCount(r.stdErr), 1) << args << ": " << r.stdErr;
    }
    EXPECT_NE(runCorvellan("events --dims " + fifo).stdErr.find("named pipe"), std::string::npos);
    EXPECT_FALSE(exists(png));
    EXPECT_FALSE(exists(dco));
    std::remove(fifo.c_str());
}

TEST(Arguments, AValueBroughtIntoRangeSaysSoAndTheRunGoesOn) {
    // The nominal travel is mid gear 1e-05 +- 1.7.
    const Outcome r = runCorvellan("events --json --positions 5,-0.5");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.stdErr, "corvellan: --positions 5 lies beyond the reverse arm's travel "
                        "(-1.69999 to 1.7000101); taken as 1.7000101\n");
    const QJsonArray settings = parseJson(r.stdOut)["Settings"].toArray();
    ASSERT_EQ(settings.size(), 2);
    EXPECT_EQ(static_cast<float>(settings[0]["RevArmPos"].toDouble()), 1.7000101f);
    EXPECT_EQ(static_cast<float>(settings[1]["RevArmPos"].toDouble()), -0.5f);

    const Outcome scale = runCorvellan("render sine --scale 0.01 -o " + tempPath("scaled.svg"));
    EXPECT_EQ(scale.status, 0) << scale.out;
    EXPECT_NE(scale.stdErr.find("--scale 0.01"), std::string::npos) << scale.stdErr;
    EXPECT_EQ(lineCount(scale.stdErr), 1) << scale.stdErr;
    // A value within range says nothing.
    EXPECT_TRUE(runCorvellan("events --positions 1.5,-1.69").stdErr.empty());
}

TEST(Arguments, ACommandsHelpIsAboutThatCommandAndExplainsEveryOption) {
    const Outcome sine = runCorvellan("render sine --help");
    ASSERT_EQ(sine.status, 0);
    for (const char* part :
         {"corvellan render sine [--dims FILE] [--positions a,b,c] [--scale S]", "375 / S pixels",
          "Default: the gear's (1.5", "-o OUT.png|OUT.svg|OUT.pdf", "--compare B.dco"})
        EXPECT_NE(sine.out.find(part), std::string::npos) << part << "\n" << sine.out;
    for (const char* other : {"render oval", "--mode", "balance"})
        EXPECT_EQ(sine.out.find(other), std::string::npos) << other;

    const Outcome ports = runCorvellan("render ports -h");
    EXPECT_NE(ports.out.find("--mode F|R|B"), std::string::npos) << ports.out;
    EXPECT_NE(ports.out.find("R the reverse graph"), std::string::npos) << ports.out;

    // Every option of a command is listed with what it means.
    const Outcome events = runCorvellan("events --help");
    for (const char* option : {"  --dims FILE ", "  --positions a,b,c ", "  --sweep ", "  --json ",
                               "  --csv ", "  -h, --help "})
        EXPECT_NE(events.out.find(option), std::string::npos) << option << "\n" << events.out;
    EXPECT_NE(events.out.find("[--positions a,b,c | --sweep] [--json | --csv]"), std::string::npos)
        << events.out;
}

TEST(Arguments, FiguresAreShortestWithoutNoiseAndANonNumberIsEmptyOrNull) {
    // At a right angle the crank pin stands straight below the driver centre:
    // its horizontal is the noise of a cosine, printed 0.
    const Outcome solve = runCorvellan("solve --json --angle 90");
    ASSERT_EQ(solve.status, 0);
    EXPECT_NE(solve.out.find("\"Pivots\": [[0, 0], [0, 0], [0, -1.5], "), std::string::npos)
        << solve.out;
    const Outcome table = runCorvellan("table --csv --step 45 --pivots 2");
    EXPECT_NE(table.out.find("\n90,-1.5,0,"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("\n0,0,1.5,"), std::string::npos) << table.out;

    // A main rod no gear can have leaves the piston positions no number.
    const std::string wild = savedGear("wild_rod.dco", MainRodCode, 1e30);
    const Outcome csv = runCorvellan("events --csv --positions 0.5 --dims " + wild);
    ASSERT_EQ(csv.status, 0) << csv.out;
    std::istringstream rows(csv.stdOut);
    std::string header, front;
    std::getline(rows, header);
    std::getline(rows, front);
    EXPECT_EQ(front.rfind("0.5,", 0), 0u) << front;
    EXPECT_NE(front.find(",Front,"), std::string::npos) << front;
    EXPECT_NE(front.find(",,"), std::string::npos) << front;
    for (const char* bad : {"nan", "inf", "e-1"})
        EXPECT_EQ(csv.stdOut.find(bad), std::string::npos) << bad << "\n" << csv.stdOut;
    const Outcome json = runCorvellan("events --json --positions 0.5 --dims " + wild);
    const QJsonObject end = parseJson(json.stdOut)["Settings"][0]["Front"].toObject();
    EXPECT_TRUE(end["AdmissionPct"].isNull());
    EXPECT_TRUE(end["Lead"].isDouble());

    // A figure as wide as its column keeps a blank before it.
    const std::string shifted = savedGear("shifted.dco", LinkPivotHorzCode, -0.0073062237);
    const Outcome text = runCorvellan("compare --sweep " + kSample + " " + shifted);
    std::istringstream lines(text.stdOut);
    std::string line;
    while (std::getline(lines, line) && line.find("LinkPivotHorz") == std::string::npos) {
    }
    std::istringstream words(line);
    std::string name, a, b;
    words >> name >> a >> b;
    EXPECT_EQ(a, "0.25") << line;
    EXPECT_EQ(b, "-0.0073062237") << line;
}
