// The gears shipped in examples/ are what a new user starts from: each must
// open, assemble at every angle of the whole reverse-arm travel, and admit
// and cut off steam at both ends running forward and in reverse.

#include "analysis/ValveEvents.h"
#include "model/DimensionFile.h"
#include "model/Model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace corvellan;

namespace {

std::vector<std::string> exampleGears() {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(CORVELLAN_EXAMPLES))
        if (entry.path().extension() == ".dco") paths.push_back(entry.path().string());
    return paths;
}

void expectDrivesBothEnds(const SettingEvents& s, RunningDirection direction) {
    SCOPED_TRACE("setting " + std::to_string(s.revArmPos));
    EXPECT_EQ(s.direction, direction);
    for (const EndEvents* end : {&s.front, &s.rear}) {
        ASSERT_TRUE(end->admissionPct && end->cutOffPct);
        EXPECT_GT(*end->cutOffPct, 10);
        EXPECT_LT(*end->cutOffPct, 95);
        EXPECT_GT(end->lead, 0);
        EXPECT_FALSE(end->overTravel);
    }
}

} // namespace

TEST(ExampleGears, EachOpensAssemblesEverywhereAndDrivesBothEndsBothWays) {
    const std::vector<std::string> gears = exampleGears();
    ASSERT_GE(gears.size(), 3u);
    for (const std::string& path : gears) {
        SCOPED_TRACE(path);
        Model m = nominalModel();
        const FileResult opened = openDimensionFile(m, path);
        ASSERT_TRUE(opened.ok) << opened.message;

        const EventsReport sweep = computeEvents(m, sweepSettings(m));
        ASSERT_EQ(sweep.settings.size(), 21u);
        for (const SettingEvents& s : sweep.settings) {
            EXPECT_FALSE(s.geometryError) << "setting " << s.revArmPos;
            EXPECT_FALSE(s.front.overTravel || s.rear.overTravel) << "setting " << s.revArmPos;
        }

        // The normal forward and reverse settings.
        const Ext cen = m.gear.RevArmCen(), norm = m.frame.RevArmToCentNorm;
        const std::vector<Real> settings{static_cast<Real>(cen - norm),
                                         static_cast<Real>(cen + norm)};
        const EventsReport normal = computeEvents(m, settings);
        expectDrivesBothEnds(normal.settings[0], RunningDirection::Forward);
        expectDrivesBothEnds(normal.settings[1], RunningDirection::Reverse);
    }
}
