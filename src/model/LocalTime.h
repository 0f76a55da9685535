#pragma once
// The current date and time as the captions and the data table show them:
// the user's short date and long time formats.

#include <string>

namespace corvellan {

void localDateTime(std::string& date, std::string& time);

} // namespace corvellan
