#pragma once
// The current date and time as the captions and the data table show them,
// in the windows and on the command line alike: the user's short date and
// long time formats, without a zone name.

#include <string>

namespace corvellan {

void localDateTime(std::string& date, std::string& time);

} // namespace corvellan
