#pragma once

#include <string>

namespace corvellan {

// Runs the program's windows until the main window closes; returns the exit
// status. `dimsFile`, when not empty, is a dimension file opened at start.
int runGui(int argc, char** argv, const std::string& dimsFile);

} // namespace corvellan
