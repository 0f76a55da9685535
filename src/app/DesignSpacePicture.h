#pragma once

namespace corvellan {

class CommandLine;

// "render sensitivity|tolerance|sweep ... [--revarm X] [--figure KEY] -o OUT":
// the pictures of the design-space windows at one setting (the normal
// forward one unless --revarm gives another), as PNG, SVG or PDF. They take
// the options of their commands (sensitivity, tolerance, sweep) but the
// settings and formats.
void addRenderStudyCommands(CommandLine& cli);

} // namespace corvellan
