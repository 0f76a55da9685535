#pragma once
// JSON as the program writes it: documents built with nlohmann-json (keys in
// the order they are set), figures spelled as the CSV files spell them, and
// one line per document with ", " and ": " between the items.

#include "model/Numeric.h"

#include <nlohmann/json_fwd.hpp>

#include <string>

namespace corvellan {

using Json = nlohmann::ordered_json;

// A figure as a JSON value: null when it is not a finite number, otherwise
// the number that reads as its shortest decimal (shortestText, with
// `scale`'s noise as 0). The value is stored as the double that decimal
// reads as, so any dump of it writes that decimal again; a whole number is
// stored as an integer, so it is written "640" rather than "640.0".
Json jsonFigure(Ext value, Ext scale = 0);

// The document on one line, without a newline: {"A": 1, "B": [2, 3]}.
// Strings and numbers are spelled by nlohmann-json.
std::string jsonLine(const Json& document);

} // namespace corvellan
