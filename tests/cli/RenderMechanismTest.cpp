// Runs "corvellan render mechanism" and looks at the files it writes.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

#include "cli/RunProgram.h"

using namespace clitest;

namespace {

Outcome render(const std::string& args) { return runCorvellan("render mechanism " + args); }

int lines(const std::string& s) {
    int n = 0;
    for (char c : s)
        n += c == '\n';
    return n;
}

} // namespace

TEST(RenderMechanism, WritesAPngOfTheWindowArea) {
    const std::string out = tempPath("mechanism.png");
    std::remove(out.c_str());
    Outcome r = render("--angle 45 -o " + out);
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string png = slurp(out);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    // IHDR width and height, big-endian: 632 x 380.
    EXPECT_EQ(static_cast<unsigned char>(png[18]) * 256 + static_cast<unsigned char>(png[19]), 632);
    EXPECT_EQ(static_cast<unsigned char>(png[22]) * 256 + static_cast<unsigned char>(png[23]), 380);
}

TEST(RenderMechanism, SvgWithSteamAndWithoutScreenData) {
    const std::string out = tempPath("mechanism.svg");
    Outcome r = render("--steam --revarm -1.5 --angle 30 -o " + out);
    ASSERT_EQ(r.status, 0) << r.out;
    std::string svg = slurp(out);
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("Driv Ang"), std::string::npos);
    EXPECT_NE(svg.find("ADMISSION"), std::string::npos);
    r = render("--no-screen-data -o " + out);
    ASSERT_EQ(r.status, 0) << r.out;
    svg = slurp(out);
    EXPECT_EQ(svg.find("Driv Ang"), std::string::npos);
    EXPECT_NE(svg.find("<svg"), std::string::npos);
}

TEST(RenderMechanism, BadUsageAndInputExitWithTwoAndOneLine) {
    for (const char* args : {"", "-o out.bmp", "--angle x -o a.png", "--bogus -o a.png",
                             "--dims /nonexistent/file.dco -o a.png"}) {
        Outcome r = render(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(lines(r.out), 1) << args << ": " << r.out;
    }
    Outcome r = render("-o /nonexistent-folder/a.png");
    EXPECT_EQ(r.status, 2);
}

TEST(RenderMechanism, OpensADimensionFile) {
    const std::string out = tempPath("sample.png");
    Outcome r = render("--dims " + std::string(CORVELLAN_TEST_DATA) + "/sample.dco -o " + out);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(slurp(out).substr(1, 3), "PNG");
}
