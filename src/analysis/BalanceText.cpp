#include "analysis/BalanceText.h"

#include "analysis/DesignFigures.h"
#include "analysis/ValveEventsText.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <cmath>
#include <cstdio>

namespace corvellan {

namespace {

constexpr int kLengthDecimals = 5;
constexpr int kPctDecimals = 3;

// A weight as given: a tiny one (after a rescaling) is not rounded to 0.
std::string number(double v) {
    if (!std::isfinite(v)) return "null";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", v);
    return buf;
}

// The objective's candidate, as an events report of its design.
EventsReport eventsOfCandidate(const BalanceObjective& f) {
    EventsReport report;
    const Model& m = f.candidate();
    report.revArmCen = m.gear.RevArmCen();
    report.lengthScale = gearLengthScale(m);
    report.settings = f.candidateEvents();
    Model scratch = m;
    findNeutralSettings(scratch, report.neutralFront, report.neutralRear);
    return report;
}

std::string cell(const Figure& f, int decimals) {
    return f ? formatFixed(*f, 12, decimals) : std::string(11, ' ') + "-";
}

Figure difference(const Figure& a, const Figure& b) {
    if (a && b) return *a - *b;
    return std::nullopt;
}

void row(std::ostream& out, const char* label, const Figure& before, const Figure& after,
         int decimals) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "  %-20s%s%s\n", label, cell(before, decimals).c_str(),
                  cell(after, decimals).c_str());
    out << buf;
}

void writeSetting(std::ostream& out, const ComparedSetting& c, const SettingEvents& b,
                  const SettingEvents& a) {
    const std::string title = "Setting " + comparedSettingName(c) +
                              (c.byCutOff ? "" : std::string(" (") + directionName(b) + ")");
    char buf[128];
    std::snprintf(buf, sizeof buf, "\n%-22s%12s%12s\n", title.c_str(), "Before", "After");
    out << buf;
    row(out, "Reverse arm", b.revArmPos, a.revArmPos, kLengthDecimals);
    row(out, "Cut-off front %", b.front.cutOffPct, a.front.cutOffPct, kPctDecimals);
    row(out, "Cut-off rear %", b.rear.cutOffPct, a.rear.cutOffPct, kPctDecimals);
    row(out, "Front - rear %", b.cutOffDifference, a.cutOffDifference, kPctDecimals);
    row(out, "Mean cut-off %", meanCutOff(b), meanCutOff(a), kPctDecimals);
    row(out, "Lead front", b.front.lead, a.front.lead, kLengthDecimals);
    row(out, "Lead rear", b.rear.lead, a.rear.lead, kLengthDecimals);
    row(out, "Front - rear", difference(b.front.lead, b.rear.lead),
        difference(a.front.lead, a.rear.lead), kLengthDecimals);
}

struct Summary {
    double worstCutOff = 0, rmsCutOff = 0, worstLead = 0, smallestLead = INFINITY;
};

Summary summary(const std::vector<SettingEvents>& settings) {
    Summary s;
    double sum = 0;
    int n = 0;
    for (const SettingEvents& e : settings) {
        if (e.cutOffDifference) {
            s.worstCutOff = std::max(s.worstCutOff, std::fabs(*e.cutOffDifference));
            sum += *e.cutOffDifference * *e.cutOffDifference;
            ++n;
        }
        s.worstLead = std::max(s.worstLead, std::fabs(e.leadDifference));
        s.smallestLead = std::min({s.smallestLead, e.front.lead, e.rear.lead});
    }
    s.rmsCutOff = n ? std::sqrt(sum / n) : 0;
    return s;
}

// "worst front - rear cut-off 24.5 -> 8.1 points (better by 16.4)"
std::string change(const char* what, double before, double after, bool smallerIsBetter,
                   int decimals, const char* unit) {
    std::string text = std::string(what) + " " + formatFixed(before, 0, decimals) + " -> " +
                       formatFixed(after, 0, decimals) + unit;
    const double gain = smallerIsBetter ? before - after : after - before;
    const std::string by = formatFixed(std::fabs(gain), 0, decimals);
    if (formatFixed(before, 0, decimals) == formatFixed(after, 0, decimals))
        return text + " (unchanged)";
    return text + (gain > 0 ? " (better by " : " (worse by ") + by + ")";
}

} // namespace

BalanceReport makeBalanceReport(BalanceObjective& objective, const BalanceOutcome& outcome) {
    BalanceReport r;
    r.problem = objective.problem();
    r.compared = objective.compared();
    r.targets = objective.targets();
    r.limits = objective.limits();
    r.leadScale = objective.leadScale();
    r.evaluations = outcome.evaluations;
    r.stopped = outcome.stopped;
    r.atBound = outcome.atBound;
    r.beforeValues = objective.startValues();
    r.afterValues = outcome.values;
    std::vector<double> values(r.beforeValues.begin(), r.beforeValues.end());
    const BalanceValue before = objective.evaluate(values.data());
    r.beforeEvents = eventsOfCandidate(objective);
    values.assign(r.afterValues.begin(), r.afterValues.end());
    const BalanceValue after = objective.evaluate(values.data());
    r.afterEvents = eventsOfCandidate(objective);
    r.before = before.feasible ? before.j : std::nan("");
    r.after = after.feasible ? after.j : std::nan("");
    return r;
}

BalanceReport runBalance(BalanceObjective& objective, const BalanceSearchOptions& options,
                         BalanceProgress* progress) {
    const auto began = std::chrono::steady_clock::now();
    const BalanceOutcome outcome = searchBalance(objective, options, progress);
    BalanceReport report = makeBalanceReport(objective, outcome);
    report.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    return report;
}

int changedDimensionCount(const BalanceReport& r) {
    int changed = 0;
    for (size_t i = 0; i < r.beforeValues.size() && i < r.afterValues.size(); ++i)
        changed += r.beforeValues[i] != r.afterValues[i];
    return changed;
}

std::string balanceVerdict(const BalanceReport& r) {
    const Summary b = summary(r.beforeEvents.settings), a = summary(r.afterEvents.settings);
    return change("Worst front - rear cut-off", b.worstCutOff, a.worstCutOff, true, 2, " points") +
           "; root mean square " + formatFixed(b.rmsCutOff, 0, 2) + " -> " +
           formatFixed(a.rmsCutOff, 0, 2) + "; " +
           change("worst lead difference", b.worstLead, a.worstLead, true, 5, "") + "; " +
           change("smallest lead", b.smallestLead, a.smallestLead, false, 5, "") + ".";
}

void writeBalanceJson(const BalanceReport& r, std::ostream& out) {
    Json j;
    j["Objective"] = {{"Name", balanceObjectiveName(r.problem.objective)},
                      {"Before", jsonFigure(r.before)},
                      {"After", jsonFigure(r.after)}};
    j["Evaluations"] = r.evaluations;
    j["Stopped"] = r.stopped;
    Json dimensions = Json::array();
    for (size_t i = 0; i < r.problem.vary.size(); ++i) {
        const BalanceVariable& v = r.problem.vary[i];
        const DimensionInfo* info = dimensionInfo(v.code);
        dimensions.push_back({{"Name", info ? info->name : ""},
                              {"Before", jsonFigure(r.beforeValues[i])},
                              {"After", jsonFigure(r.afterValues[i])},
                              {"Low", jsonFigure(v.low)},
                              {"High", jsonFigure(v.high)},
                              {"AtBound", i < r.atBound.size() && r.atBound[i]}});
    }
    j["Dimensions"] = std::move(dimensions);
    Json settings = Json::array();
    for (const ComparedSetting& c : r.compared)
        settings.push_back(comparedSettingName(c));
    j["Compared"] = std::move(settings);
    const BalanceWeights& w = r.problem.weights;
    j["Weights"] = {{"CutOff", w.cutOff}, {"Lead", w.lead}};
    if (r.problem.objective == BalanceObjectiveKind::Positions)
        j["Weights"]["Mean"] = w.mean;
    else
        j["LeadScale"] = jsonFigure(r.leadScale);
    Json limits = {{"LeadFloor", jsonFigure(r.limits.leadFloor)},
                   {"LeadCeiling", jsonFigure(r.limits.leadCeiling)},
                   {"NoOverTravel", r.limits.noOverTravel}};
    if (r.limits.fullGear)
        limits["FullGearCutOff"] = {{"Fwd", jsonFigure(r.limits.fullGearCutOff[0])},
                                    {"Rev", jsonFigure(r.limits.fullGearCutOff[1])}};
    j["Limits"] = std::move(limits);
    if (!r.note.empty()) j["Note"] = r.note;
    j["Verdict"] = balanceVerdict(r);
    j["Before"] = eventsJson(r.beforeEvents);
    j["After"] = eventsJson(r.afterEvents);
    out << jsonLine(j) << "\n";
}

void writeBalanceText(const BalanceReport& r, std::ostream& out, bool captions) {
    const BalanceWeights& w = r.problem.weights;
    if (!r.note.empty()) out << "Note: " << r.note << ".\n";
    out << "Objective (" << balanceObjectiveName(r.problem.objective) << ") before "
        << formatFixed(r.before, 0, 4) << ", after " << formatFixed(r.after, 0, 4) << " ("
        << r.evaluations << " evaluations, " << formatFixed(r.seconds, 0, 1) << " s"
        << (r.stopped ? ", stopped early" : "") << ")\n";
    out << "Weights: cut-off " << number(w.cutOff) << ", lead " << number(w.lead);
    if (r.problem.objective == BalanceObjectiveKind::Positions)
        out << ", mean cut-off " << number(w.mean) << "\n";
    else
        out << " (lead differences in units of L0 = " << formatFixed(r.leadScale, 0, 5) << ")\n";
    out << "Limits: each lead " << formatFixed(r.limits.leadFloor, 0, 5) << " to "
        << formatFixed(r.limits.leadCeiling, 0, 5);
    if (r.limits.fullGear)
        out << "; full-gear mean cut-off at least " << formatFixed(r.limits.fullGearCutOff[0], 0, 2)
            << " % forward, " << formatFixed(r.limits.fullGearCutOff[1], 0, 2) << " % in reverse";
    out << (r.limits.noOverTravel ? "; no over-travel" : "") << "\n";
    out << "Verdict: " << balanceVerdict(r) << "\n";
    char head[128];
    const int width = captions ? 26 : 20;
    std::snprintf(head, sizeof head, "\n%-*s%12s%12s\n", width + 2, "Dimension", "Before", "After");
    out << head;
    for (size_t i = 0; i < r.problem.vary.size(); ++i) {
        const DimensionInfo* info = dimensionInfo(r.problem.vary[i].code);
        const bool atBound = i < r.atBound.size() && r.atBound[i];
        char buf[160];
        const char* name = !info ? "" : captions ? dimensionCaption(info->code) : info->name;
        std::snprintf(buf, sizeof buf, "  %-*s%12s%12s%s%s\n", width, name,
                      formatFixed(r.beforeValues[i], 0, kLengthDecimals).c_str(),
                      formatFixed(r.afterValues[i], 0, kLengthDecimals).c_str(),
                      r.beforeValues[i] != r.afterValues[i] ? "" : "  (unchanged)",
                      atBound ? "  (at a bound)" : "");
        out << buf;
    }
    const auto& before = r.beforeEvents.settings;
    const auto& after = r.afterEvents.settings;
    for (size_t i = 0; i < r.compared.size() && i < before.size() && i < after.size(); ++i)
        writeSetting(out, r.compared[i], before[i], after[i]);
}

} // namespace corvellan
