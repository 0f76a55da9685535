// Runs the real program and reads what it prints.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/wait.h>

#include "cli/RunProgram.h"

using namespace clitest;

namespace {

Outcome run(const std::string& args) { return runCorvellan("" + args); }

} // namespace

TEST(SolveCommand, PrintsTheNominalGearAsJson) {
    Outcome r = run("solve --json");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("\"RevArmCen\": 1e-05"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"Pivots\": [[0, 0], [0, 0], [1.5, 0], [9.5, 0]"), std::string::npos);
    for (const char* name : {"LinkAngle", "ValveLeverAngle", "ValveCen", "FrontSteamOpening",
                             "FrontExhaustOpening", "RearSteamOpening", "RearExhaustOpening",
                             "PistonTravelPos", "FrontSteamLap", "RearExhClearance",
                             "RearSteamOpenShift", "FrontSteamOpenX4"})
        EXPECT_NE(r.out.find(std::string("\"") + name + "\": "), std::string::npos) << name;
    EXPECT_NE(r.out.find("\"GeometryError\": false}"), std::string::npos);
    EXPECT_EQ(lineCount(r.out), 1);
}

TEST(SolveCommand, TakesAngleAndSettingAndReportsImpossibleGeometry) {
    Outcome r = run("solve --angle 180 --json");
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\"PistonTravelPos\": 640"), std::string::npos) << r.out;
    Outcome table = run("solve --revarm 1.5");
    ASSERT_EQ(table.status, 0);
    EXPECT_NE(table.out.find("RevArmCen"), std::string::npos);
    EXPECT_NE(table.out.find("   18     1.500000"), std::string::npos) << table.out;
}

TEST(SolveCommand, BadUsageAndBadFilesGiveOneLineAndStatusTwo) {
    for (const char* args : {"solve --angle", "solve --angle abc", "solve --bogus", "frobnicate",
                             "solve --dims /no/such/file.dco", "solve --angle nan"}) {
        Outcome r = run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(lineCount(r.out), 1) << args << ": " << r.out;
    }
    const std::string path = testing::TempDir() + "short.dco";
    std::ofstream(path, std::ios::binary) << std::string(40, '\0');
    Outcome r = run("solve --dims " + path);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("short.dco"), std::string::npos) << r.out;
}

// Every command answers --help or -h with its own usage, and succeeds.
TEST(CommandLine, EveryCommandPrintsItsUsageWhenAsked) {
    for (auto [args, line] : {std::pair{"solve --help", "corvellan solve [--dims FILE]"},
                              {"render -h", "corvellan render mechanism"},
                              {"render steam --help", "corvellan render steam [--dims FILE]"},
                              {"table --csv -h", "corvellan table [--dims FILE]"}}) {
        Outcome r = run(args);
        EXPECT_EQ(r.status, 0) << args << ": " << r.out;
        EXPECT_EQ(r.out.rfind("usage:\n", 0), 0u) << args << ": " << r.out;
        EXPECT_NE(r.out.find(line), std::string::npos) << args << ": " << r.out;
    }
    EXPECT_EQ(run("solve --help").out.find("render"), std::string::npos);
}
