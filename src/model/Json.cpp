#include "model/Json.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <cstdint>

namespace corvellan {

Json jsonFigure(Ext value, Ext scale) {
    const std::string text = shortestText(value, scale);
    if (text.empty()) return nullptr;
    double number = 0;
    std::from_chars(text.data(), text.data() + text.size(), number);
    // Below 2^53 every whole double is an exact integer.
    if (number == std::trunc(number) && std::fabs(number) < 9007199254740992.0)
        return static_cast<std::int64_t>(number);
    return number;
}

namespace {

void append(const Json& j, std::string& out) {
    if (j.is_object()) {
        out += '{';
        bool first = true;
        for (const auto& item : j.items()) {
            if (!first) out += ", ";
            first = false;
            out += Json(item.key()).dump(-1, ' ', false, Json::error_handler_t::replace);
            out += ": ";
            append(item.value(), out);
        }
        out += '}';
    } else if (j.is_array()) {
        out += '[';
        for (std::size_t i = 0; i < j.size(); ++i) {
            if (i) out += ", ";
            append(j[i], out);
        }
        out += ']';
    } else {
        // A string that is not UTF-8 is written with replacement characters
        // rather than thrown over.
        out += j.dump(-1, ' ', false, Json::error_handler_t::replace);
    }
}

} // namespace

std::string jsonLine(const Json& document) {
    std::string out;
    append(document, out);
    return out;
}

} // namespace corvellan
