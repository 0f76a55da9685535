// Runs `corvellan table` and reads what it prints.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "cli/RunProgram.h"

using namespace clitest;

namespace {

struct TableRun {
    std::vector<std::string> lines;
    int status = -1;
};

TableRun run(const std::string& args) {
    const Outcome o = runCorvellan("table " + args);
    TableRun r;
    r.status = o.status;
    std::istringstream in(o.out);
    for (std::string line; std::getline(in, line);) r.lines.push_back(line);
    return r;
}

TEST(TableCommand, PrintsTheWindowsTable) {
    TableRun r = run("--step 45 --pivots 2,3");
    ASSERT_EQ(r.status, 0);
    ASSERT_EQ(r.lines.size(), 4u + 9u);
    EXPECT_EQ(r.lines[0].rfind("Pivot Data   Nominal     ", 0), 0u) << r.lines[0];
    EXPECT_EQ(r.lines[1], "       Reverse Arm   0.000      Step Angle  45.000");
    // Angle 0: the crank pin at (1.5, 0) and the crosshead at (9.5, 0).
    EXPECT_EQ(r.lines[4].substr(0, 47), "   0.00     0.000    1.500       0.000    9.500");
    EXPECT_EQ(r.lines.back().substr(0, 7), " 360.00");
    r = run("--step 10 --revarm 1.5");
    ASSERT_EQ(r.lines.size(), 4u + 37u);
    EXPECT_EQ(r.lines[1].substr(0, 26), "       Reverse Arm   1.500");
}

TEST(TableCommand, CsvAndDimensionFiles) {
    TableRun r = run("--step 7 --csv --pivots 0,0,3");
    ASSERT_EQ(r.status, 0);
    ASSERT_EQ(r.lines.size(), 1u + 52u);
    EXPECT_EQ(r.lines[1], "0,0,0,0,0,0,9.5,0,0,0,0,0,0");
    EXPECT_EQ(r.lines.back().rfind("357,", 0), 0u);
    r = run(std::string("--step 45 --dims ") + CORVELLAN_TEST_DATA + "/sample.dco");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.lines[0].find("Nominal"), std::string::npos) << r.lines[0];
}

TEST(TableCommand, BadStepsPivotsAndFilesGiveOneLineAndStatusTwo) {
    for (const char* args : {"--step 0", "--step -1", "--step nan", "--step 1e30", "--step 0.001",
                             "--pivots 27", "--pivots 1,2,3,4,5,6,7", "--pivots 1.5",
                             "--pivots 1,,2", "--bogus", "--dims /no/such/file.dco"}) {
        TableRun r = run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.lines.size(), 1u) << args;
    }
}

} // namespace
