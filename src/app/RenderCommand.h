#pragma once
// corvellan render mechanism [--dims FILE] [--angle DEG] [--revarm X] [--steam]
//                            [--no-screen-data] -o OUT.png|OUT.svg

#include <string>
#include <vector>

namespace corvellan {

// `args` are the words after "render mechanism". Draws one frame of the main
// window's picture at the given setting, with the motion stopped at the
// angle, and writes the window's client area (632 x 380) as PNG or SVG. With
// --steam one full turn of ticks runs first so the steam levels build up.
// Returns 0, or 2 with one line on stderr.
int renderMechanismCommand(const std::vector<std::string>& args);

} // namespace corvellan
