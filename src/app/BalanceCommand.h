#pragma once
// `corvellan balance`: makes the two cylinder ends of a gear alike by changing
// the chosen dimensions within their bounds, writes the balanced gear as a
// dimension file and prints the figures before and after.

#include <string>
#include <vector>

namespace corvellan {

// Arguments after the command name; prints to stdout and returns the exit
// status (2 with one line on stderr for bad usage or input).
int balanceCommand(const std::vector<std::string>& args);

} // namespace corvellan
