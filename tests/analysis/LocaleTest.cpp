// Numbers are read and written with a decimal point whatever the locale: a
// GUI toolkit switches the C library to the user's locale, where a decimal
// comma would break every entry box and every number shown.
#include "model/Numeric.h"
#include "analysis/ValveEventsText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <sstream>
#include <string>

using namespace corvellan;

namespace {

// Runs the test's body under German number formats, then restores C.
class DecimalCommaLocale : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
            << "the de_DE.UTF-8 locale is missing (tools/setup.sh generates it)";
        char buf[16];
        std::snprintf(buf, sizeof buf, "%.1f", 1.5);
        ASSERT_EQ(std::string(buf), "1,5") << "the locale does not use a decimal comma";
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

} // namespace

TEST_F(DecimalCommaLocale, ReadsAndWritesADecimalPoint) {
    bool ok = false;
    EXPECT_EQ(parseReal("12.5", &ok), 12.5L);
    EXPECT_TRUE(ok);
    // A comma is no decimal mark here, whatever the locale says.
    parseReal("12,5", &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(formatFixed(-1.5, 7, 3), " -1.500");
    EXPECT_EQ(formatGeneral(0.25, 9), "0.25");
    std::string row;
    appendFixed(row, 1234.5f, 9, 2);
    EXPECT_EQ(row, "  1234.50");
}

TEST_F(DecimalCommaLocale, EventsCsvKeepsOneFieldPerFigure) {
    Model m;
    initialiseModel(m);
    std::ostringstream csv;
    writeEventsCsv(computeEvents(m, {m.gear.RevArmCen(), -1.5f}), csv);
    std::istringstream lines(csv.str());
    std::string line;
    std::vector<std::size_t> commas;
    while (std::getline(lines, line))
        commas.push_back(static_cast<std::size_t>(std::count(line.begin(), line.end(), ',')));
    ASSERT_EQ(commas.size(), 5u); // the header, then two ends of two settings
    for (std::size_t row = 1; row < commas.size(); ++row)
        EXPECT_EQ(commas[row], commas[0]) << row;
}
