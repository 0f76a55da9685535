#pragma once

#include <string>
#include <vector>

namespace corvellan {

// corvellan render sine|oval|steam|ports [--dims FILE] [--positions a,b,c]
//     [--scale S] [--mode F|R|B] [--compare B.dco] -o OUT.png|OUT.svg
// Draws the diagram as its window does on a white 632 x 414 picture (426 for
// the oval), with gear B over it when one is given. Returns 0, or 2 after one
// line on stderr.
int renderDiagramCommand(const std::string& which, const std::vector<std::string>& args);

} // namespace corvellan
