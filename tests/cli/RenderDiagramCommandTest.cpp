// Runs "corvellan render sine|oval|steam|ports" and looks at the files it writes.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <sys/wait.h>

#include "cli/RunProgram.h"

using namespace clitest;

namespace {

Outcome render(const std::string& args) { return runCorvellan("render " + args); }

int bigEndian16(const std::string& s, size_t at) {
    return static_cast<unsigned char>(s[at]) * 256 + static_cast<unsigned char>(s[at + 1]);
}

} // namespace

TEST(RenderDiagram, WritesEachDiagramAtItsWindowSize) {
    for (auto [which, height] :
         {std::pair{"sine", 414}, {"oval", 426}, {"steam", 414}, {"ports", 414}}) {
        const std::string out = ::testing::TempDir() + which + ".png";
        std::remove(out.c_str());
        Outcome r = render(std::string(which) + " -o " + out);
        ASSERT_EQ(r.status, 0) << which << ": " << r.out;
        const std::string png = slurp(out);
        ASSERT_GT(png.size(), 24u) << which;
        EXPECT_EQ(png.substr(1, 3), "PNG");
        EXPECT_EQ(bigEndian16(png, 18), 632) << which; // IHDR width, height
        EXPECT_EQ(bigEndian16(png, 22), height) << which;
    }
    // The large text scale grows the picture as it grows the window.
    const std::string large = ::testing::TempDir() + "large.png";
    ASSERT_EQ(render("oval --large-font -o " + large).status, 0);
    const std::string png = slurp(large);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(bigEndian16(png, 18), 803);
    EXPECT_EQ(bigEndian16(png, 22), 520);
}

TEST(RenderDiagram, PositionsScaleAndModeReachThePicture) {
    const std::string sine = ::testing::TempDir() + "sine.svg";
    ASSERT_EQ(render("sine -o " + sine).status, 0);
    std::string svg = slurp(sine);
    EXPECT_NE(svg.find("-1.500"), std::string::npos); // the three default positions
    EXPECT_NE(svg.find("ExCl"), std::string::npos);   // mid gear among them

    // A position beyond the travel is clamped as the positions dialog does.
    ASSERT_EQ(render("sine --positions 0.5,9 --scale 4 -o " + sine).status, 0);
    svg = slurp(sine);
    EXPECT_NE(svg.find("0.500"), std::string::npos);
    EXPECT_NE(svg.find("1.700"), std::string::npos);
    EXPECT_EQ(svg.find("-1.500"), std::string::npos);
    EXPECT_EQ(svg.find("ExCl"), std::string::npos);
    EXPECT_NE(svg.find("4.0"), std::string::npos);

    const std::string ports = ::testing::TempDir() + "ports.svg";
    ASSERT_EQ(render("ports --mode B -o " + ports).status, 0);
    svg = slurp(ports);
    EXPECT_NE(svg.find("Fwd."), std::string::npos);
    EXPECT_NE(svg.find("Rev."), std::string::npos);
}

// Without --positions the picture shows every leading position the gear
// holds, as the window does: the sample file adds six to the three of mid
// gear and normal travel.
TEST(RenderDiagram, PositionsOfADimensionFileAreAllDrawn) {
    const std::string dims = std::string(CORVELLAN_TEST_DATA) + "/sample.dco";
    for (const char* which : {"sine", "oval", "steam"}) {
        const std::string out = ::testing::TempDir() + which + "_file.svg";
        ASSERT_EQ(render(std::string(which) + " --dims " + dims + " -o " + out).status, 0);
        const std::string svg = slurp(out);
        EXPECT_NE(svg.find(">    9<"), std::string::npos) << which;
        EXPECT_NE(svg.find("> 0.500<"), std::string::npos) << which; // slot 9's value
    }
}

TEST(RenderDiagram, BadUsageExitsWithTwoAndOneLine) {
    const std::string out = ::testing::TempDir() + "bad.png";
    for (const std::string& args : std::initializer_list<std::string>{
             "sine", "oval -o " + out + " --mode F", "ports --mode X -o " + out,
             "steam --positions 1,x -o " + out, "sine --positions 1,2,3,4,5,6,7,8,9,1 -o " + out,
             "sine --scale -o " + out, "wheel -o " + out}) {
        Outcome r = render(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.out.find("corvellan: "), std::string::npos) << args << ": " << r.out;
        EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << args << ": " << r.out;
    }
}
