#include "model/LocalTime.h"

#include <ctime>

namespace corvellan {

void localDateTime(std::string& date, std::string& time) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[64];
    date = std::strftime(buf, sizeof buf, "%x", &local) ? buf : "";
    time = std::strftime(buf, sizeof buf, "%X", &local) ? buf : "";
}

} // namespace corvellan
