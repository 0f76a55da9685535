// Numbers are read and written with a decimal point whatever the locale: a
// GUI toolkit switches the C library to the user's locale, where a decimal
// comma would break every entry box and every number shown.
#include "model/Numeric.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
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
