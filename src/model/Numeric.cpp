#include "model/Numeric.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace corvellan {

int roundToInt(Ext value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<Ext>(INT_MAX)) return INT_MAX;
    if (value <= static_cast<Ext>(INT_MIN)) return INT_MIN;
    // nearbyint honours the default rounding mode: to nearest, ties to even.
    return static_cast<int>(std::nearbyintl(value));
}

Real clampToReal(Ext value) {
    if (std::isnan(value)) return static_cast<Real>(value);
    if (value > static_cast<Ext>(FLT_MAX)) return FLT_MAX;
    if (value < -static_cast<Ext>(FLT_MAX)) return -FLT_MAX;
    return static_cast<Real>(value);
}

std::string formatFixed(Ext value, int width, int decimals) {
    if (width < 0) width = 0;
    if (decimals < 0) decimals = 0;
    if (decimals > 30) decimals = 30;
    char buf[128];
    if (std::isnan(value)) {
        std::snprintf(buf, sizeof buf, "%*s", width, "NaN");
    } else if (std::isinf(value)) {
        std::snprintf(buf, sizeof buf, "%*s", width, value > 0 ? "+Inf" : "-Inf");
    } else if (std::fabs(value) >= 1e40L) {
        // Beyond any 4-byte real; use exponent form rather than 40 digits.
        std::snprintf(buf, sizeof buf, "%*.*Le", width, decimals, value);
    } else {
        std::snprintf(buf, sizeof buf, "%*.*Lf", width, decimals, value);
    }
    return buf;
}

Ext parseReal(const std::string& text, bool* ok) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    Ext v = std::strtold(begin, &end);
    bool good = end != begin;
    while (good && *end == ' ') ++end;
    if (good && *end != '\0') good = false;
    if (good && std::isnan(v)) good = false;
    if (ok) *ok = good;
    return good ? v : 0.0L;
}

} // namespace corvellan
