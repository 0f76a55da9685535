#pragma once

#include <string>
#include <vector>

namespace corvellan {

// "render sensitivity|tolerance|sweep ... [--revarm X] [--figure KEY] -o OUT":
// the pictures of the design-space windows at one setting (the normal
// forward one unless --revarm gives another), as PNG, SVG or PDF. They take
// the options of their commands (sensitivity, tolerance, sweep) but the
// settings and formats.
int renderStudyCommand(const std::string& which, const std::vector<std::string>& args);

} // namespace corvellan
