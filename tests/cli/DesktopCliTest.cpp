// The command line's desktop conventions: --version, PDF pictures, pivot
// paths, and numbers written with a decimal point under any locale.
#include <gtest/gtest.h>

#include "cli/RunProgram.h"
#include "support/PictureFiles.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace clitest;
using corvellan::test::pdfPageCount;
using corvellan::test::pngSize;

TEST(DesktopCli, VersionPrintsTheVersionAndExitsZero) {
    const Outcome r = runCorvellan("--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "corvellan 2.6\n");
}

TEST(DesktopCli, RenderWritesOnePagePdfOfEachPicture) {
    for (const char* picture : {"mechanism --steam", "sine", "ports --mode B"}) {
        const std::string out = tempPath("picture.pdf");
        std::remove(out.c_str());
        const Outcome r = runCorvellan(std::string("render ") + picture + " -o " + out);
        ASSERT_EQ(r.status, 0) << picture << ": " << r.out;
        const std::string pdf = slurp(out);
        EXPECT_EQ(pdfPageCount(pdf), 1) << picture;
        // A page of the picture's own size, a point per pixel.
        EXPECT_NE(pdf.find(std::string("/MediaBox [0 0 632")), std::string::npos) << picture;
    }
}

TEST(DesktopCli, PathsDrawOnlyWhenAskedAndPivotsAreChecked) {
    const std::string plain = tempPath("plain.svg"), paths = tempPath("paths.svg");
    ASSERT_EQ(runCorvellan("render mechanism --pivots 2 -o " + plain).status, 0);
    ASSERT_EQ(runCorvellan("render mechanism --pivots 2 --paths -o " + paths).status, 0);
    // Slot 1's path is fuchsia; nothing else in the frame is.
    EXPECT_EQ(slurp(plain).find("#ff00ff"), std::string::npos);
    EXPECT_NE(slurp(paths).find("#ff00ff"), std::string::npos);
    const Outcome bad = runCorvellan("render mechanism --paths --pivots 2,x -o " + paths);
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(lineCount(bad.out), 1) << bad.out;
}

TEST(DesktopCli, NumbersKeepTheirPointUnderADecimalCommaLocale) {
    const std::string out = tempPath("locale.svg");
    // The locale reaches the program through its environment.
    const std::string cmd = "LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 " + std::string(CORVELLAN_BINARY) +
                            " render mechanism --angle 12.5 --revarm -0.25 -o " + out + " 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::string svg = slurp(out);
    EXPECT_NE(svg.find("12.50"), std::string::npos);  // "Driv Ang"
    EXPECT_NE(svg.find("-0.250"), std::string::npos); // "Rev Arm"
    EXPECT_EQ(svg.find("12,50"), std::string::npos);
}

TEST(DesktopCli, RenderEventsShowsTheWindowAsItOpens) {
    const std::string out = tempPath("events.png");
    std::remove(out.c_str());
    const Outcome r = runCorvellan("render events -o " + out);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(pngSize(slurp(out)).width, 1180);
    EXPECT_EQ(pngSize(slurp(out)).height, 720);
    // A window is pixels only.
    EXPECT_EQ(runCorvellan("render events -o " + tempPath("events.svg")).status, 2);
}

TEST(DesktopCli, RenderCutOffsDrawsTheChartAndRefusesAnEmptyGearB) {
    const std::string out = tempPath("cutoffs.png");
    std::remove(out.c_str());
    const Outcome r = runCorvellan("render cutoffs -o " + out);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(pngSize(slurp(out)).width, 640);
    EXPECT_EQ(pngSize(slurp(out)).height, 430);
    const Outcome empty = runCorvellan("render cutoffs --compare '' -o " + out);
    EXPECT_EQ(empty.status, 2);
    EXPECT_NE(empty.out.find("--compare"), std::string::npos) << empty.out;
}
