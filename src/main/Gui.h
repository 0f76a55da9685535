#pragma once

#include <string>

namespace corvellan {

class TMainForm;

// Runs the program's windows until the main window closes; returns the exit
// status. `dimsFile`, when not empty, is a dimension file opened at start.
int runGui(int argc, char** argv, const std::string& dimsFile);

// Opens the dimension file named on the command line as "&OpenDimensions"
// does (a ".oca" file as the earlier version's); a file that cannot be read
// is reported in a message box and changes nothing. Returns whether it was read.
bool openStartFile(TMainForm& window, const std::string& path);

} // namespace corvellan
