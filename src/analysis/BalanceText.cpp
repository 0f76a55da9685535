#include "analysis/BalanceText.h"

#include "analysis/DesignFigures.h"
#include "analysis/ValveEventsText.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>

namespace corvellan {

namespace {

constexpr int kLengthDecimals = 5;
constexpr int kPctDecimals = 3;

std::string number(double v) {
    if (!std::isfinite(v)) return "null";
    return shortestText(v);
}

EventsReport eventsOf(Model design, const std::vector<double>& fractions) {
    midGearCalc(design);
    return computeEvents(design, balanceSettings(design, fractions));
}

std::string cell(const Figure& f, int decimals) {
    return f ? formatFixed(*f, 12, decimals) : std::string(11, ' ') + "-";
}

Figure difference(const Figure& a, const Figure& b) {
    if (a && b) return *a - *b;
    return std::nullopt;
}

Figure mean(const Figure& a, const Figure& b) {
    if (a && b) return (*a + *b) / 2;
    return std::nullopt;
}

void row(std::ostream& out, const char* label, const Figure& before, const Figure& after,
         int decimals) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "  %-20s%s%s\n", label, cell(before, decimals).c_str(),
                  cell(after, decimals).c_str());
    out << buf;
}

void writeSetting(std::ostream& out, double fraction, const SettingEvents& b,
                  const SettingEvents& a) {
    const std::string title =
        "Setting " + formatFixed(fraction, 0, 2) + " (" + directionName(b) + ")";
    char buf[128];
    std::snprintf(buf, sizeof buf, "\n%-22s%12s%12s\n", title.c_str(), "Before", "After");
    out << buf;
    row(out, "Reverse arm", b.revArmPos, a.revArmPos, kLengthDecimals);
    row(out, "Cut-off front %", b.front.cutOffPct, a.front.cutOffPct, kPctDecimals);
    row(out, "Cut-off rear %", b.rear.cutOffPct, a.rear.cutOffPct, kPctDecimals);
    row(out, "Front - rear %", b.cutOffDifference, a.cutOffDifference, kPctDecimals);
    row(out, "Mean cut-off %", mean(b.front.cutOffPct, b.rear.cutOffPct),
        mean(a.front.cutOffPct, a.rear.cutOffPct), kPctDecimals);
    row(out, "Lead front", b.front.lead, a.front.lead, kLengthDecimals);
    row(out, "Lead rear", b.rear.lead, a.rear.lead, kLengthDecimals);
    row(out, "Front - rear", difference(b.front.lead, b.rear.lead),
        difference(a.front.lead, a.rear.lead), kLengthDecimals);
}

} // namespace

BalanceReport makeBalanceReport(const Model& start, const BalanceObjective& objective,
                                const BalanceOutcome& outcome) {
    BalanceReport r;
    r.problem = objective.problem();
    r.targets = objective.targets();
    r.evaluations = outcome.evaluations;
    r.stopped = outcome.stopped;
    r.beforeValues = currentBalanceValues(start, r.problem);
    r.afterValues = outcome.values;
    r.beforeEvents = eventsOf(start, r.problem.settings);
    Model balanced = start;
    storeBalanceValues(balanced, r.problem, r.afterValues);
    r.afterEvents = eventsOf(balanced, r.problem.settings);
    r.before = objective.value(r.beforeEvents.settings);
    r.after = objective.value(r.afterEvents.settings);
    return r;
}

int changedDimensionCount(const BalanceReport& r) {
    int changed = 0;
    for (size_t i = 0; i < r.beforeValues.size() && i < r.afterValues.size(); ++i)
        changed += r.beforeValues[i] != r.afterValues[i];
    return changed;
}

void writeBalanceJson(const BalanceReport& r, std::ostream& out) {
    Json j;
    j["Objective"] = {{"Before", jsonFigure(r.before)}, {"After", jsonFigure(r.after)}};
    j["Evaluations"] = r.evaluations;
    Json dimensions = Json::array();
    for (size_t i = 0; i < r.problem.vary.size(); ++i) {
        const DimensionInfo* info = dimensionInfo(r.problem.vary[i].code);
        dimensions.push_back({{"Name", info ? info->name : ""},
                              {"Before", jsonFigure(r.beforeValues[i])},
                              {"After", jsonFigure(r.afterValues[i])}});
    }
    j["Dimensions"] = std::move(dimensions);
    j["Before"] = eventsJson(r.beforeEvents);
    j["After"] = eventsJson(r.afterEvents);
    out << jsonLine(j) << "\n";
}

void writeBalanceText(const BalanceReport& r, std::ostream& out, bool captions) {
    const BalanceWeights& w = r.problem.weights;
    out << "Objective before " << formatFixed(r.before, 0, 4) << ", after "
        << formatFixed(r.after, 0, 4) << " (" << r.evaluations << " evaluations, "
        << formatFixed(r.seconds, 0, 1) << " s" << (r.stopped ? ", stopped early" : "") << ")\n";
    out << "Weights: cut-off " << number(w.cutOff) << ", lead " << number(w.lead)
        << ", mean cut-off " << number(w.mean) << "\n";
    char head[128];
    const int width = captions ? 26 : 20;
    std::snprintf(head, sizeof head, "\n%-*s%12s%12s\n", width + 2, "Dimension", "Before", "After");
    out << head;
    for (size_t i = 0; i < r.problem.vary.size(); ++i) {
        const DimensionInfo* info = dimensionInfo(r.problem.vary[i].code);
        char buf[128];
        const char* name = !info ? "" : captions ? dimensionCaption(info->code) : info->name;
        std::snprintf(buf, sizeof buf, "  %-*s%12s%12s%s\n", width, name,
                      formatFixed(r.beforeValues[i], 0, kLengthDecimals).c_str(),
                      formatFixed(r.afterValues[i], 0, kLengthDecimals).c_str(),
                      r.beforeValues[i] != r.afterValues[i] ? "" : "  (unchanged)");
        out << buf;
    }
    const auto& before = r.beforeEvents.settings;
    const auto& after = r.afterEvents.settings;
    for (size_t i = 0; i < r.problem.settings.size() && i < before.size() && i < after.size(); ++i)
        writeSetting(out, r.problem.settings[i], before[i], after[i]);
}

} // namespace corvellan
