#include "model/LocalTime.h"

#include <clocale>
#include <ctime>

namespace corvellan {

void localDateTime(std::string& date, std::string& time) {
    // The user's formats, whether or not a window toolkit has taken the
    // locale from the environment already. %X is the long time without a
    // zone name.
    static const bool userFormats = std::setlocale(LC_TIME, "") != nullptr;
    (void)userFormats;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[64];
    date = std::strftime(buf, sizeof buf, "%x", &local) ? buf : "";
    time = std::strftime(buf, sizeof buf, "%X", &local) ? buf : "";
}

} // namespace corvellan
