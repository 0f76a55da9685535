#include "model/Numeric.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

using namespace corvellan;

TEST(Numeric, FormatsFixedPointInMinimumField) {
    EXPECT_EQ(formatFixed(1.5, 6, 3), " 1.500");
    EXPECT_EQ(formatFixed(-12.25, 4, 1), "-12.2"); // field grows, ties to even digit
    EXPECT_EQ(formatFixed(0.1565f, 6, 3), " 0.156"); // 4-byte value lies below the half
    EXPECT_EQ(formatFixed(std::numeric_limits<long double>::quiet_NaN(), 6, 3), "   NaN");
    EXPECT_EQ(formatFixed(-std::numeric_limits<long double>::infinity(), 2, 3), "-Inf");
}

// What the windows show: blanks for a value that is no number, a short
// exponent form where the fixed text would not fit its place.
TEST(Numeric, FiguresStayBlankOrShortWhereFixedTextWouldNot) {
    const float big = std::numeric_limits<float>::max();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(formatFigure(1.5f, 6, 3), " 1.500");
    EXPECT_EQ(formatFigure(1234.5f, 6, 3), "1234.500"); // exactly the room
    EXPECT_EQ(formatFigure(12345.5f, 6, 3), "1.23e+04");
    EXPECT_EQ(formatFigure(big, 6, 3), "3.40e+38");
    EXPECT_EQ(formatFigure(-big, 6, 3), "-3.4e+38");
    EXPECT_EQ(formatFigure(nan, 6, 3), "      ");
    EXPECT_EQ(formatFigure(-inf, 4, 1), "    ");
    EXPECT_EQ(formatFigure(12345.5f, 9, 3), "12345.500"); // a wider field is its own room
    EXPECT_EQ(formatFigure(1e10L, 6, 0), "1.00e+10");
    for (float v : {1.5f, -0.0f, 12345.5f, -big, nan, inf, 9.9999e8f, 1e9f}) {
        std::string appended = "x";
        appendFigure(appended, v, 7, 3);
        EXPECT_EQ(appended, "x" + formatFigure(v, 7, 3)) << v;
    }
}

TEST(Numeric, RoundsToEvenAndSaturates) {
    EXPECT_EQ(roundToInt(2.5), 2);
    EXPECT_EQ(roundToInt(3.5), 4);
    EXPECT_EQ(roundToInt(-2.5), -2);
    EXPECT_EQ(roundToInt(-2.6), -3);
    EXPECT_EQ(roundToInt(std::numeric_limits<long double>::quiet_NaN()), 0);
    EXPECT_EQ(roundToInt(std::numeric_limits<long double>::infinity()), INT_MAX);
    EXPECT_EQ(roundToInt(-1e30), INT_MIN);
}

TEST(Numeric, ClampsToLargestFiniteReal) {
    EXPECT_EQ(clampToReal(1e300L), std::numeric_limits<float>::max());
    EXPECT_EQ(clampToReal(-1e300L), -std::numeric_limits<float>::max());
    EXPECT_EQ(clampToReal(1.25L), 1.25f);
}

TEST(Numeric, ParsesEntryText) {
    bool ok = false;
    EXPECT_DOUBLE_EQ(static_cast<double>(parseReal(" 2.5 ", &ok)), 2.5);
    EXPECT_TRUE(ok);
    parseReal("2.5x", &ok);
    EXPECT_FALSE(ok);
    parseReal("", &ok);
    EXPECT_FALSE(ok);
}

// The figures of CSV and JSON: the shortest decimal that reads back as the
// same 4-byte real, rounding noise as 0, and nothing for a value that is no
// number.
TEST(Numeric, FileFiguresAreShortestExactZeroToTheirPrecisionOrAbsent) {
    EXPECT_EQ(shortestText(0.1f), "0.1");
    EXPECT_EQ(shortestText(0.3f), "0.3");
    EXPECT_EQ(shortestText(1e-5f), "1e-05");
    EXPECT_EQ(shortestText(-1234.5f), "-1234.5");
    EXPECT_EQ(shortestText(-0.0f), "0");
    EXPECT_EQ(shortestText(1e39L), "1e+39"); // beyond a 4-byte real: its own value
    // Over a spread of bit patterns: every finite value reads back exactly
    // and is never longer than the nine digits that always suffice.
    for (unsigned bits = 1; bits < 0xFF000000u; bits += 40503u) {
        float v;
        std::memcpy(&v, &bits, sizeof v);
        if (!std::isfinite(v)) continue;
        for (float x : {v, -v}) {
            const std::string text = shortestText(x);
            char nine[32];
            std::snprintf(nine, sizeof nine, "%.9g", static_cast<double>(x));
            ASSERT_EQ(std::strtof(text.c_str(), nullptr), x) << text;
            ASSERT_LE(text.size(), std::strlen(nine)) << text << " " << nine;
        }
    }
    // Zero to the precision of its scale: below 1e-12 of it.
    EXPECT_EQ(shortestText(-6.12323426e-17L, 1.5), "0");
    EXPECT_EQ(shortestText(0.9e-11L, 10), "0");
    EXPECT_EQ(shortestText(1.1e-11f, 10), "1.1e-11");
    EXPECT_EQ(shortestText(1e-5f, 20), "1e-05");                // the mid-gear offset is a figure
    EXPECT_EQ(shortestText(-6.12323426e-17L), "-6.123234e-17"); // no scale, no rounding
    // No number, no text: the writers make it an empty field or null.
    for (Ext bad : {std::numeric_limits<Ext>::quiet_NaN(), std::numeric_limits<Ext>::infinity(),
                    -std::numeric_limits<Ext>::infinity()}) {
        std::string out = "x,";
        EXPECT_FALSE(appendShortest(out, bad, 1));
        EXPECT_EQ(out, "x,");
    }
}
