#pragma once
// `corvellan table`: the pivot data table of the window, or CSV.

#include <string>
#include <vector>

namespace corvellan {

// Arguments after the command name; prints to stdout and returns the exit
// status (2 with one line on stderr for bad usage or input).
int tableCommand(const std::vector<std::string>& args);

} // namespace corvellan
