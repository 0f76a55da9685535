#pragma once
// `corvellan compare A B`: the valve events of two gears side by side at
// matching settings, with B - A, and the dimensions whose values differ, as a
// readable table, JSON or CSV.

#include <string>
#include <vector>

namespace corvellan {

// Arguments after the command name; prints to stdout and returns the exit
// status (2 with one line on stderr for bad usage or input).
int compareCommand(const std::vector<std::string>& args);

} // namespace corvellan
