// Runs "corvellan render indicator|performance" and looks at what it writes.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "cli/RunProgram.h"

using namespace clitest;

namespace {

int bigEndian16(const std::string& s, size_t at) {
    return static_cast<unsigned char>(s[at]) * 256 + static_cast<unsigned char>(s[at + 1]);
}

std::string writeConditions(const char* name, const std::string& json) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path) << json;
    return path;
}

} // namespace

TEST(RenderSteam, DrawsBothPicturesAtTheConditionsGiven) {
    const std::string gas =
        writeConditions("gas.conditions.json", "{\"Fluid\": \"perfect-gas\", \"Speed\": 250}");
    const std::string svg = ::testing::TempDir() + "indicator.svg";
    Outcome r = runCorvellan("render indicator --conditions " + gas +
                             " --revarm -1.5 --speed 120 -o " + svg);
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string text = slurp(svg);
    // --speed overrides the file's Speed; one setting, its figures in psi.
    EXPECT_NE(text.find("Indicator diagram at 120 rpm, perfect gas"), std::string::npos);
    EXPECT_NE(text.find("Fwd at -1.50000:  MEP F "), std::string::npos);
    EXPECT_NE(text.find("psi"), std::string::npos);

    const std::string png = ::testing::TempDir() + "performance.png";
    r = runCorvellan("render performance --conditions " + gas + " --speeds 100,400 -o " + png);
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string image = slurp(png);
    ASSERT_GT(image.size(), 24u);
    EXPECT_EQ(bigEndian16(image, 18), 760);
    EXPECT_EQ(bigEndian16(image, 22), 760);
}

TEST(RenderSteam, RefusesBadConditionsAndSpeedsInOneLine) {
    const std::string out = ::testing::TempDir() + "refused.png";
    const struct {
        std::string args, says;
    } cases[] = {
        {"indicator --conditions " + writeConditions("slow.json", "{\"Speed\": 0}"), "Speed"},
        {"indicator --conditions " + writeConditions("odd.json", "{\"Sped\": 10}"), "Sped"},
        {"indicator --conditions " + writeConditions("cut.json", "{\"Speed\": "), ""},
        {"performance --speeds 100,0", "--speeds"},
        {"indicator --speed 4000", "Speed 4000"},
    };
    for (const auto& c : cases) {
        const Outcome r = runCorvellan("render " + c.args + " -o " + out);
        EXPECT_EQ(r.status, 2) << c.args << ": " << r.out;
        EXPECT_NE(r.out.find(c.says), std::string::npos) << c.args << ": " << r.out;
        EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << c.args << ": " << r.out;
    }
}
