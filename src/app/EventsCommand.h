#pragma once
// `corvellan events`: the valve events of the diagram positions, of a list of
// settings, or of the 21-setting sweep, as a readable table, JSON or CSV.

#include <string>
#include <vector>

namespace corvellan {

// Arguments after the command name; prints to stdout and returns the exit
// status (2 with one line on stderr for bad usage or input).
int eventsCommand(const std::vector<std::string>& args);

} // namespace corvellan
