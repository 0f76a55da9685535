#include "analysis/GearComparisonText.h"

#include "analysis/Balance.h"
#include "analysis/DesignFigures.h"
#include "analysis/ValveEventsText.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace corvellan {

namespace {

constexpr int kLengthDecimals = 5;

// The scale of the compared figures (lengths and percentages), below 1e-12
// of which a figure is rounding noise.
Ext comparedScale(const GearComparison& c) {
    return std::max({c.a.lengthScale, c.b.lengthScale, kPercentScale});
}

std::string cell(const Figure& f, int decimals, bool readable, Ext scale) {
    if (!f) return {};
    return readable ? formatFixed(*f, 0, decimals) : fullNumber(*f, scale);
}

const char* flag(bool on) {
    return on ? "true" : "false";
}

void writeCsvRow(const std::vector<std::string>& cells, std::ostream& out) {
    for (size_t i = 0; i < cells.size(); ++i)
        out << (i ? "," : "") << cells[i];
    out << "\n";
}

// Left-aligned first column, the others right-aligned in `width`.
void writeTextRow(const std::vector<std::string>& cells, int firstWidth, int width,
                  std::ostream& out) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "  %-*s", firstWidth, cells[0].c_str());
    out << buf;
    for (size_t i = 1; i < cells.size(); ++i) {
        // A figure as wide as its column keeps a blank before it.
        const std::string& text = cells[i].empty() ? std::string("-") : cells[i];
        if (static_cast<int>(text.size()) >= width) out << ' ';
        std::snprintf(buf, sizeof buf, "%*s", width, text.c_str());
        out << buf;
    }
    out << "\n";
}

// A figure's row of the readable comparison: its name, then front and rear
// A, B and B - A; a figure of the whole setting leaves the rear blank.
void writeFigureRow(const std::vector<std::string>& cells, std::ostream& out) {
    // The name is padded by its characters, not its bytes ("°" is two).
    const std::string& name = cells[0];
    const size_t chars = static_cast<size_t>(std::count_if(name.begin(), name.end(), [](char ch) {
        return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    }));
    std::string line = "  " + name + std::string(chars < 38 ? 38 - chars : 0, ' ');
    char buf[64];
    const bool whole = cells.size() > 6 && cells[4].empty() && cells[5].empty() && cells[6].empty();
    for (size_t i = 1; i < cells.size(); ++i) {
        const std::string& text =
            cells[i].empty() ? std::string(whole && i >= 4 ? "" : "-") : cells[i];
        // A figure as wide as its column keeps a blank before it.
        if (static_cast<int>(text.size()) >= 13) line += ' ';
        std::snprintf(buf, sizeof buf, "%13s", text.c_str());
        line += buf;
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    out << line << "\n";
}

} // namespace

void writeComparisonJson(const GearComparison& c, std::ostream& out) {
    Json j;
    j["A"] = eventsJson(c.a);
    j["B"] = eventsJson(c.b);
    Json dimensions = Json::array();
    // A dimension is written as it was typed: no scale makes it noise.
    for (const DimensionDifference& d : c.dimensions)
        dimensions.push_back({{"Name", d.name}, {"A", jsonFigure(d.a)}, {"B", jsonFigure(d.b)}});
    j["Dimensions"] = std::move(dimensions);
    out << jsonLine(j) << "\n";
}

std::vector<std::string> comparisonTableHeader() {
    return {"Setting", "Direction", "Figure", "A", "B", "B - A"};
}

std::vector<std::vector<std::string>> comparisonTableRows(const GearComparison& c, bool readable) {
    std::vector<std::vector<std::string>> rows;
    const size_t n = std::min(c.a.settings.size(), c.b.settings.size());
    const Ext scale = comparedScale(c);
    for (size_t k = 0; k < n; ++k) {
        const SettingEvents& a = c.a.settings[k];
        const SettingEvents& b = c.b.settings[k];
        const std::string setting = std::to_string(k + 1);
        const std::string direction = directionName(a);
        for (const ComparedFigure& f : comparedFigures(a, b))
            rows.push_back({setting, direction, f.name, cell(f.a, f.decimals, readable, scale),
                            cell(f.b, f.decimals, readable, scale),
                            cell(f.difference(), f.decimals, readable, scale)});
        rows.push_back({setting, direction, "Geometry error", flag(a.geometryError),
                        flag(b.geometryError), ""});
    }
    return rows;
}

std::vector<std::string> dimensionTableHeader() {
    return {"Dimension", "A", "B"};
}

std::vector<std::vector<std::string>> dimensionTableRows(const GearComparison& c,
                                                         bool /*readable*/) {
    // A dimension reads as it was typed in either form: its shortest decimal.
    std::vector<std::vector<std::string>> rows;
    for (const DimensionDifference& d : c.dimensions)
        rows.push_back({d.name, fullNumber(d.a), fullNumber(d.b)});
    return rows;
}

std::vector<std::string> engineerComparisonHeader() {
    return {"Setting",     "Figure", "Front A", "Front B",
            "Front B - A", "Rear A", "Rear B",  "Rear B - A"};
}

std::vector<std::vector<std::string>> engineerComparisonRows(const GearComparison& c) {
    constexpr int kLength = 5, kPct = 3, kDegrees = 2;
    const Ext scale = comparedScale(c);
    auto put = [scale](std::vector<std::string>& row, const Figure& a, const Figure& b,
                       int decimals) {
        const ComparedFigure f{"", decimals, a, b};
        row.push_back(cell(f.a, decimals, true, scale));
        row.push_back(cell(f.b, decimals, true, scale));
        row.push_back(cell(f.difference(), decimals, true, scale));
    };
    std::vector<std::vector<std::string>> rows;
    const size_t n = std::min(c.a.settings.size(), c.b.settings.size());
    for (size_t k = 0; k < n; ++k) {
        const SettingEvents& a = c.a.settings[k];
        const SettingEvents& b = c.b.settings[k];
        const std::string name = std::to_string(k + 1) + ": " + settingName(c.a, a);
        auto ends = [&](const char* figure, Figure EndEvents::*what, int decimals) {
            std::vector<std::string> row{"", figure};
            put(row, a.front.*what, b.front.*what, decimals);
            put(row, a.rear.*what, b.rear.*what, decimals);
            rows.push_back(row);
        };
        auto whole = [&](const char* figure, const Figure& fa, const Figure& fb, int decimals) {
            std::vector<std::string> row{"", figure};
            put(row, fa, fb, decimals);
            row.insert(row.end(), 3, "");
            rows.push_back(row);
        };
        const size_t first = rows.size();
        ends("Cut-off, % of stroke", &EndEvents::cutOffPct, kPct);
        {
            std::vector<std::string> row{"", "Lead, length"};
            put(row, a.front.lead, b.front.lead, kLength);
            put(row, a.rear.lead, b.rear.lead, kLength);
            rows.push_back(row);
        }
        ends("Lead, \u00b0 before dead centre", &EndEvents::leadAngle, kDegrees);
        ends("Release, % of stroke", &EndEvents::releasePct, kPct);
        ends("Compression, % of stroke", &EndEvents::compressionPct, kPct);
        {
            // Steam admitted before dead centre, while the piston still
            // comes towards it, reads as a negative percentage.
            auto signedPct = [](const EndEvents& e) -> Figure {
                if (!e.admissionPct) return std::nullopt;
                return e.leadAngle && *e.leadAngle > 0 ? -*e.admissionPct : *e.admissionPct;
            };
            std::vector<std::string> row{"", "Admission, % of stroke (- before DC)"};
            put(row, signedPct(a.front), signedPct(b.front), kPct);
            put(row, signedPct(a.rear), signedPct(b.rear), kPct);
            rows.push_back(row);
        }
        whole("Valve travel, length", a.valveTravel, b.valveTravel, kLength);
        whole("Reverse arm, length", a.revArmPos, b.revArmPos, kLength);
        whole("Cut-off front - rear, %", a.cutOffDifference, b.cutOffDifference, kPct);
        whole("Lead front - rear, length", a.leadDifference, b.leadDifference, kLength);
        std::vector<std::string> error{"", "Geometry error", flag(a.geometryError),
                                       flag(b.geometryError)};
        error.insert(error.end(), 4, "");
        rows.push_back(error);
        rows[first][0] = name;
    }
    return rows;
}

std::vector<std::vector<std::string>> readableDimensionRows(const GearComparison& c) {
    std::vector<std::vector<std::string>> rows;
    for (const DimensionDifference& d : c.dimensions) {
        const DimensionInfo* info = dimensionByName(d.name);
        const std::string caption = info ? dimensionCaption(info->code) : d.name;
        rows.push_back(
            {caption.empty() ? d.name : caption, fullNumber(d.a), fullNumber(d.b), d.name});
    }
    return rows;
}

void writeComparisonCsv(const GearComparison& c, std::ostream& out) {
    writeCsvRow(comparisonTableHeader(), out);
    for (const auto& row : comparisonTableRows(c, false))
        writeCsvRow(row, out);
    out << "\n";
    writeCsvRow(dimensionTableHeader(), out);
    for (const auto& row : dimensionTableRows(c, false))
        writeCsvRow(row, out);
}

void writeComparisonText(const GearComparison& c, std::ostream& out) {
    out << "A: " << c.nameA << "\nB: " << c.nameB << "\n";
    out << "Mid gear (RevArmCen): A " << formatFixed(c.a.revArmCen, 0, kLengthDecimals) << ", B "
        << formatFixed(c.b.revArmCen, 0, kLengthDecimals) << "\n";
    for (const auto& [name, report] : {std::pair{"A", &c.a}, std::pair{"B", &c.b}})
        if (!report->unbuildable.empty())
            out << name << ": geometry error: " << report->unbuildable << "\n";
    // Front and rear side by side, as the Compare window has them; a
    // setting's figures of the whole (valve travel, reverse arm, the
    // differences) fill the front columns.
    const std::vector<std::string> header = engineerComparisonHeader();
    for (const auto& row : engineerComparisonRows(c)) {
        if (!row[0].empty()) {
            out << "\nSetting " << row[0] << "\n";
            writeFigureRow({header.begin() + 1, header.end()}, out);
        }
        writeFigureRow({row.begin() + 1, row.end()}, out);
    }
    const auto dims = dimensionTableRows(c, true);
    if (dims.empty()) {
        out << "\nDimensions that differ: none\n";
        return;
    }
    out << "\nDimensions that differ (" << dims.size() << ")\n";
    writeTextRow(dimensionTableHeader(), 24, 13, out);
    for (const auto& row : dims)
        writeTextRow(row, 24, 13, out);
}

} // namespace corvellan
