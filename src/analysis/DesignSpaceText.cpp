#include "analysis/DesignSpaceText.h"

#include <algorithm>
#include <cmath>

namespace corvellan {

namespace {

constexpr int kLengthDecimals = 5;
constexpr int kPctDecimals = 3;
constexpr int kRateDecimals = 4;

struct Cell {
    bool readable;
    std::string operator()(const Figure& f, int decimals) const {
        if (!f || !std::isfinite(*f)) return {};
        return readable ? formatFixed(*f, 0, decimals) : fullNumber(*f);
    }
};

int figureDecimals(int figure) {
    return isPercentFigure(figure) ? kPctDecimals : kLengthDecimals;
}

const char* yesNo(bool b) {
    return b ? "true" : "false";
}

bool numeric(const std::string& s) {
    return !s.empty() && (std::isdigit(static_cast<unsigned char>(s.back())) || s == "-");
}

} // namespace

TextRow sensitivityHeader() {
    TextRow h{"RevArmPos", "Direction", "Name", "Step"};
    for (int f = 0; f < kDesignFigures; ++f)
        h.push_back(designFigureKey(f));
    for (const char* c : {"Smooth", "Stable", "HalvingChangePct", "NotSmooth"})
        h.push_back(c);
    return h;
}

std::vector<TextRow> sensitivityRows(const SensitivityReport& r, bool readable) {
    const Cell cell{readable};
    std::vector<TextRow> rows;
    for (const SettingRates& s : r.settings) {
        for (const DimensionRates& d : s.dimensions) {
            TextRow row{cell(s.revArmPos, kLengthDecimals), s.direction,
                        dimensionInfo(d.code)->name, cell(d.step, 6)};
            std::string notSmooth;
            for (int f = 0; f < kDesignFigures; ++f) {
                row.push_back(cell(d.figures[f].rate, kRateDecimals));
                if (d.figures[f].rate && !d.figures[f].smooth)
                    notSmooth += (notSmooth.empty() ? "" : " ") + std::string(designFigureKey(f));
            }
            row.push_back(yesNo(d.smooth()));
            row.push_back(yesNo(d.stable));
            row.push_back(cell(100 * d.halvingChange, 3));
            row.push_back(notSmooth);
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

TextRow toleranceHeader() {
    return {"RevArmPos", "Direction", "Figure", "Nominal", "Mean",       "Std",           "P5",
            "P95",       "Min",       "Max",    "Count",   "Infeasible", "ShareOverLimit"};
}

std::vector<TextRow> toleranceRows(const ToleranceReport& r, bool readable) {
    const Cell cell{readable};
    std::vector<TextRow> rows;
    for (const SettingSpread& s : r.settings) {
        for (int f = 0; f < kDesignFigures; ++f) {
            const int dp = figureDecimals(f);
            TextRow row{cell(s.revArmPos, kLengthDecimals), s.direction, designFigureKey(f),
                        cell(s.nominal[f], dp)};
            if (const auto& x = s.figures[f]) {
                for (double v : {x->mean, x->std, x->p5, x->p95, x->min, x->max})
                    row.push_back(cell(v, dp));
                row.push_back(std::to_string(x->count));
            } else {
                row.insert(row.end(), 7, std::string());
            }
            row.push_back(std::to_string(s.infeasible));
            row.push_back(cell(s.shareOverLimit, 4));
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

TextRow sweepHeader(const SweepOptions& o) {
    TextRow h;
    for (const SweepAxis& a : o.axes)
        h.push_back(dimensionInfo(a.code)->name);
    for (const char* c : {"RevArmPos", "Direction", "Judgeable", "GeometryError"})
        h.push_back(c);
    for (int f = 0; f < kDesignFigures; ++f)
        h.push_back(designFigureKey(f));
    return h;
}

void appendSweepRows(const SweepOptions& o, const std::vector<SweepPoint>& block, bool readable,
                     std::vector<TextRow>& rows) {
    const Cell cell{readable};
    for (const SweepPoint& p : block) {
        for (const SweepSettingFigures& s : p.settings) {
            TextRow row;
            for (size_t a = 0; a < o.axes.size(); ++a)
                row.push_back(cell(p.values[a], kLengthDecimals));
            row.push_back(cell(s.revArmPos, kLengthDecimals));
            row.push_back(s.direction);
            row.push_back(yesNo(s.judgeable));
            row.push_back(yesNo(s.geometryError));
            for (int f = 0; f < kDesignFigures; ++f)
                row.push_back(cell(s.figures[f], figureDecimals(f)));
            rows.push_back(std::move(row));
        }
    }
}

TextRow cutOffMoveHeader() {
    return {"Name", "Rate", "Move", "WithinBounds", "Smooth"};
}

std::vector<TextRow> cutOffMoveRows(const std::vector<CutOffMove>& moves, bool readable) {
    const Cell cell{readable};
    std::vector<TextRow> rows;
    for (const CutOffMove& m : moves)
        rows.push_back({dimensionInfo(m.code)->name, cell(m.rate, kRateDecimals),
                        cell(m.move, kLengthDecimals), yesNo(m.withinBounds), yesNo(m.smooth)});
    return rows;
}

void writeColumns(const TextRow& header, const std::vector<TextRow>& rows, std::ostream& out) {
    std::vector<size_t> width(header.size());
    for (size_t c = 0; c < header.size(); ++c)
        width[c] = header[c].size();
    for (const TextRow& r : rows)
        for (size_t c = 0; c < r.size() && c < width.size(); ++c)
            width[c] = std::max(width[c], r[c].size());
    auto line = [&](const TextRow& r, bool isHeader) {
        std::string text;
        for (size_t c = 0; c < width.size(); ++c) {
            const std::string cellText = c < r.size() ? r[c] : std::string();
            const std::string pad(width[c] - cellText.size(), ' ');
            const bool right = !isHeader && numeric(cellText);
            text += (c ? "  " : "") + (right ? pad + cellText : cellText + pad);
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        out << text << "\n";
    };
    line(header, true);
    for (const TextRow& r : rows)
        line(r, false);
}

void writeSensitivityText(const Model& base, const SensitivityReport& r, std::ostream& out) {
    const Cell cell{true};
    for (const SettingRates& s : r.settings) {
        out << "Setting " << cell(s.revArmPos, kLengthDecimals) << " (" << s.direction
            << "): rates per unit of each dimension (per degree for the angle)\n";
        TextRow header{"Name", "Step"};
        const int shown[] = {CutOffFrontFigure,   CutOffRearFigure,  LeadFrontFigure,
                             LeadRearFigure,      ValveTravelFigure, CutOffDifferenceFigure,
                             LeadDifferenceFigure};
        for (int f : shown)
            header.push_back(designFigureKey(f));
        for (const char* c : {"Smooth", "Stable", "Halving%"})
            header.push_back(c);
        std::vector<TextRow> rows;
        for (const DimensionRates& d : s.dimensions) {
            TextRow row{dimensionInfo(d.code)->name, cell(d.step, 6)};
            for (int f : shown)
                row.push_back(cell(d.figures[f].rate, kRateDecimals));
            row.push_back(d.smooth() ? "yes" : "no");
            row.push_back(d.stable ? "yes" : "no");
            row.push_back(cell(100 * d.halvingChange, 3));
            rows.push_back(std::move(row));
        }
        writeColumns(header, rows, out);
        const std::vector<CutOffMove> moves = rankCutOffMoves(base, s);
        if (!s.nominal[CutOffDifferenceFigure]) {
            out << "No cut-off difference at this setting: an end has no cut-off.\n\n";
            continue;
        }
        out << "\nFront minus rear cut-off "
            << cell(s.nominal[CutOffDifferenceFigure], kPctDecimals)
            << " %. Each dimension alone would bring them together by the linear estimate with"
               " the move:\n";
        writeColumns(cutOffMoveHeader(), cutOffMoveRows(moves, true), out);
        out << "\n";
    }
}

void writeToleranceText(const ToleranceReport& r, std::ostream& out) {
    const Cell cell{true};
    out << "Samples " << r.samples << ", seed " << r.seed << ", pin clearance "
        << formatGeneral(r.pinClearance, 6)
        << "; samples left out at one setting or more: " << r.infeasible << "\n";
    for (const SettingSpread& s : r.settings) {
        out << "\nSetting " << cell(s.revArmPos, kLengthDecimals) << " (" << s.direction
            << "): left out " << s.infeasible << ", |front - rear cut-off| over "
            << formatGeneral(r.cutOffLimit, 6) << " %: " << cell(100 * s.shareOverLimit, 2)
            << " % of the rest\n";
        std::vector<TextRow> rows;
        for (int f = 0; f < kDesignFigures; ++f) {
            const int dp = figureDecimals(f);
            TextRow row{designFigureKey(f), cell(s.nominal[f], dp)};
            if (const auto& x = s.figures[f])
                for (double v : {x->mean, x->std, x->p5, x->p95, x->min, x->max})
                    row.push_back(cell(v, dp));
            rows.push_back(std::move(row));
        }
        writeColumns({"Figure", "Nominal", "Mean", "Std", "P5", "P95", "Min", "Max"}, rows, out);
    }
}

} // namespace corvellan
