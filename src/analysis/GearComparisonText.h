#pragma once
// A comparison of two gears as text: one JSON object holding each gear's
// events object exactly as the events report writes it, CSV, a readable
// table, and the cells of the two tables that the "Compare" window shows.

#include "analysis/GearComparison.h"

#include <ostream>
#include <string>
#include <vector>

namespace corvellan {

// {"A": <events object>, "B": <events object>, "Dimensions": [{"Name": "...",
// "A": x, "B": y}, ...]} and a newline.
void writeComparisonJson(const GearComparison& c, std::ostream& out);

// The figures table (a row per setting and figure: A, B and B - A), a blank
// line, then the table of differing dimensions.
void writeComparisonCsv(const GearComparison& c, std::ostream& out);

// Both tables, readable.
void writeComparisonText(const GearComparison& c, std::ostream& out);

// The figures table by rows of cells. `readable` rounds for the screen;
// otherwise figures are written in full. Absent figures are empty cells.
std::vector<std::string> comparisonTableHeader();
std::vector<std::vector<std::string>> comparisonTableRows(const GearComparison& c, bool readable);
// The differing dimensions: name, A, B.
std::vector<std::string> dimensionTableHeader();
std::vector<std::vector<std::string>> dimensionTableRows(const GearComparison& c, bool readable);

} // namespace corvellan
