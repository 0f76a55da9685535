// The fast formatter must write exactly what formatFixed writes.
#include "model/Numeric.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <random>

using namespace corvellan;

namespace {

void expectSame(Real v, int width, int decimals) {
    std::string s = "#";
    appendFixed(s, v, width, decimals);
    EXPECT_EQ(s.substr(1), formatFixed(v, width, decimals))
        << "value " << v << " width " << width << " decimals " << decimals;
}

TEST(AppendFixed, MatchesFormatFixed) {
    const Real inf = std::numeric_limits<Real>::infinity();
    for (Real v : {0.0f, -0.0f, -0.0001f, 0.0625f, 0.1565f, 999999999.0f, 1e9f, 3e38f, 1e-30f,
                   std::numeric_limits<Real>::quiet_NaN(), -inf})
        for (int d : {0, 2, 3, 9, 10})
            for (int w : {-1, 0, 7, 30})
                expectSame(v, w, d);
    std::mt19937 rng(12345);
    std::uniform_int_distribution<std::uint32_t> bits;
    std::uniform_real_distribution<float> moderate(-2000.0f, 2000.0f);
    for (int i = 0; i < 20000; ++i) {
        std::uint32_t b = bits(rng); // every exponent
        Real v;
        std::memcpy(&v, &b, sizeof v);
        expectSame(v, 9, i % 10);
        expectSame(moderate(rng), 7, 3);
    }
    // Exactly halfway between two printed values: ties go to the even digit.
    for (int k = -4000; k <= 4000; ++k) {
        expectSame(static_cast<Real>(k) / 16, 7, 3);
        expectSame(static_cast<Real>(k) / 2, 7, 0);
    }
}

} // namespace
