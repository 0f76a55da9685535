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
// The figures as an engineer reads them: for each setting (named as the
// events window names A's) a row per figure, front and rear beside each
// other, A, B and B - A of each; the figures of the whole setting (valve
// travel, reverse arm, the front-minus-rear differences) in the front
// columns. The first cell of a setting's first row names it, "2: Fwd,
// cut-off 82 %"; the rest leave it empty.
std::vector<std::string> engineerComparisonHeader();
std::vector<std::vector<std::string>> engineerComparisonRows(const GearComparison& c);

// The differing dimensions: name, A, B.
std::vector<std::string> dimensionTableHeader();
std::vector<std::vector<std::string>> dimensionTableRows(const GearComparison& c, bool readable);
// The same named as the dimension dialogs name them ("Eccentric Crank Angle
// Deg"), the code name kept for a tool tip: caption, A, B, code name.
std::vector<std::vector<std::string>> readableDimensionRows(const GearComparison& c);

} // namespace corvellan
