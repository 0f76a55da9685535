#pragma once
// A drawing compared with its golden draw list, line by line, the first
// differing line reported. With CORVELLAN_UPDATE_GOLDEN set the list is
// written instead and the test skipped.

#include "view/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace corvellan {

inline void expectGoldenDrawList(const RecordingCanvas& c, const std::string& path) {
    if (std::getenv("CORVELLAN_UPDATE_GOLDEN")) {
        std::ofstream(path) << c.toText();
        GTEST_SKIP() << "wrote " << path;
    }
    std::ifstream in(path);
    ASSERT_TRUE(in) << "missing " << path;
    std::stringstream golden;
    golden << in.rdbuf();
    std::istringstream want(golden.str()), got(c.toText());
    std::string a, b;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(want, a));
        const bool moreB = static_cast<bool>(std::getline(got, b));
        if (!moreA && !moreB) break;
        ASSERT_TRUE(a == b && moreA == moreB)
            << path << ":" << line << "\n  want: " << a << "\n  got:  " << b;
    }
}

} // namespace corvellan
