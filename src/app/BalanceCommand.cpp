// corvellan balance: makes the two cylinder ends of a gear alike by changing the
// chosen dimensions within their bounds, writes the balanced gear as a
// dimension file and prints the figures before and after.
#include "app/Commands.h"

#include "analysis/Balance.h"
#include "analysis/BalanceSearch.h"
#include "analysis/BalanceText.h"
#include "app/CliSupport.h"
#include "model/DimensionFile.h"

#include <chrono>
#include <cmath>
#include <iostream>
#include <memory>
#include <optional>

namespace corvellan {

namespace {

struct BalanceOptions {
    std::string dims;
    std::string out;
    std::string objective = "cutoffs";
    std::optional<std::vector<std::string>> vary;
    std::vector<std::pair<std::string, std::string>> bounds; // name, "LO:HI"
    std::optional<std::vector<Ext>> settings;
    std::optional<std::vector<Ext>> cutOffs;
    std::optional<std::vector<double>> weights; // two or three
    std::optional<Ext> leadFloor, leadCeiling, fullGearLoss;
    bool allowOverTravel = false;
    bool json = false;
};

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> items;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        items.push_back(text.substr(start, at == std::string::npos ? at : at - start));
        if (at == std::string::npos) return items;
        start = at + 1;
    }
}

// "LO:HI" as two finite numbers, or an error naming what is wrong.
bool parseRange(const std::string& text, Ext& low, Ext& high, std::string* error) {
    const std::vector<std::string> parts = split(text, ':');
    bool okLow = false, okHigh = false;
    if (parts.size() == 2) {
        low = parseReal(parts[0], &okLow);
        high = parseReal(parts[1], &okHigh);
    }
    if (parts.size() != 2 || !okLow || !okHigh || !std::isfinite(low) || !std::isfinite(high)) {
        *error = "\"" + text + "\" is not a range LO:HI";
        return false;
    }
    return true;
}

// A setting beyond the reverse arm's travel is taken at its end: say so.
void warnClampedSettings(const Model& m, const std::vector<double>& fractions) {
    const Ext cen = m.gear.RevArmCen(), norm = m.frame.RevArmToCentNorm,
              max = m.frame.RevArmToCentMax;
    for (double f : fractions) {
        const Ext wanted = cen + f * norm;
        const Real taken = balanceSetting(m, f);
        if (taken != clampToReal(wanted))
            warnAdjusted(adjustedText("--settings", f,
                                      "reaches beyond the reverse arm's travel (" +
                                          shortestText(cen - max) + " to " +
                                          shortestText(cen + max) + ")",
                                      (static_cast<Ext>(taken) - cen) / norm) +
                         " (the setting " + shortestText(taken) + ")");
    }
}

// The problem the options describe for this gear, or an error.
bool buildProblem(const Model& m, const BalanceOptions& o, BalanceProblem& p, std::string* error) {
    p = defaultBalanceProblem(m);
    if (o.objective == "positions") {
        p.objective = BalanceObjectiveKind::Positions;
        p.weights = defaultBalanceWeights(p.objective);
    }
    if (o.vary) {
        p.vary.clear();
        for (const std::string& name : *o.vary) {
            const DimensionInfo* info = dimensionByName(name);
            if (!info) {
                *error = "unknown dimension \"" + name + "\"";
                return false;
            }
            p.vary.push_back(balanceBounds(m, info->code));
        }
    }
    for (const auto& [name, range] : o.bounds) {
        const DimensionInfo* info = dimensionByName(name);
        if (!info) {
            *error = "unknown dimension \"" + name + "\"";
            return false;
        }
        BalanceVariable* v = nullptr;
        for (BalanceVariable& candidate : p.vary)
            if (candidate.code == info->code) v = &candidate;
        if (!v) {
            *error = name + " has bounds but is not varied (name it in --vary)";
            return false;
        }
        if (range.empty() || range == ":") {
            *error = "the bounds of " + name + " are empty";
            return false;
        }
        std::string rangeError;
        if (!parseRange(range, v->low, v->high, &rangeError)) {
            *error = "the bounds of " + name + ": " + rangeError;
            return false;
        }
    }
    const bool positions = p.objective == BalanceObjectiveKind::Positions;
    if (o.settings && !positions) {
        *error = "--settings belongs to --objective positions; the cut-off objective takes "
                 "--cutoffs";
        return false;
    }
    if (o.cutOffs && positions) {
        *error = "--cutoffs belongs to the cut-off objective; --objective positions takes "
                 "--settings";
        return false;
    }
    if (o.settings) p.settings.assign(o.settings->begin(), o.settings->end());
    if (o.cutOffs) p.cutOffs.assign(o.cutOffs->begin(), o.cutOffs->end());
    if (o.weights) {
        const std::vector<double>& w = *o.weights;
        if (!positions && w.size() == 3 && w[2] != 0) {
            *error = "--weights: the third weight (mean cut-off) belongs to --objective "
                     "positions; give WC:WL";
            return false;
        }
        p.weights.cutOff = w[0];
        p.weights.lead = w[1];
        p.weights.mean = w.size() == 3 ? w[2] : positions ? 1 : 0;
    }
    BalanceConstraints& c = p.constraints;
    if (o.leadFloor) c.leadFloor = static_cast<double>(*o.leadFloor);
    if (o.leadCeiling) c.leadCeiling = static_cast<double>(*o.leadCeiling);
    if (o.fullGearLoss) c.fullGearCutOffLoss = static_cast<double>(*o.fullGearLoss);
    c.noOverTravel = !o.allowOverTravel;
    *error = balanceProblemError(m, p);
    return error->empty();
}

int runBalance(const BalanceOptions& o) {
    std::string error;
    Model m;
    if (!loadGear(m, o.dims, &error)) return inputError(error);
    BalanceProblem problem;
    if (!buildProblem(m, o, problem, &error)) return inputError(error);
    if (problem.objective == BalanceObjectiveKind::Positions)
        warnClampedSettings(m, problem.settings);
    const std::string note = rescaleBalanceWeights(problem);
    if (!note.empty()) warnAdjusted("--weights: " + note);

    BalanceObjective objective(m, problem);
    if (!objective.startFeasible())
        return inputError("the gear cannot be balanced as it is: " +
                          objective.startInfeasibility());
    BalanceReport report = runBalance(objective, BalanceSearchOptions{});
    report.note = note;

    const std::string name = m.DimSetName; // saving renames the set after the new file
    storeBalanceValues(m, problem, report.afterValues);
    const FileResult saved = saveDimensionFile(m, o.out);
    if (!saved.ok) return inputError(saved.message);
    if (o.json) {
        writeBalanceJson(report, std::cout);
    } else {
        std::cout << "Dimension set: " << name << ", balanced into " << o.out << "\n";
        writeBalanceText(report, std::cout);
    }
    return 0;
}

} // namespace

void addBalanceCommand(CommandLine& cli) {
    auto o = std::make_shared<BalanceOptions>();
    CLI::App* c = cli.command("balance",
                              "Makes the front and rear ends of the cylinder alike by changing "
                              "chosen dimensions, and writes the balanced gear.",
                              [o] { return runBalance(*o); });
    addDimsOption(c, o->dims);
    addChoiceOption(c, "--objective", o->objective, {"cutoffs", "positions"},
                    "where the ends are compared: \"cutoffs\" at the settings of equal mean "
                    "cut-off (--cutoffs), found anew for every design; \"positions\" at fixed "
                    "fractions of RevArmToCentNorm from mid gear (--settings).",
                    "cutoffs");
    addWordListOption(c, "--vary", o->vary, "NAME,...",
                      "the dimensions to change, by their code names (LinkPivotHorz, ...).",
                      "ValveStem, LinkPivotVert, ValveLeverUpper, ValveLeverLower, "
                      "ValveLengthFrontHalf, ValveLengthRearHalf",
                      allDimensions().size());
    c->add_option_function<std::string>(
         "--bounds",
         [o](const std::string& given) {
             for (const std::string& item : split(given, ',')) {
                 const size_t eq = item.find('=');
                 if (eq == std::string::npos)
                     throw CLI::ValidationError("--bounds needs NAME=LO:HI, not \"" + item + "\"");
                 const std::string name = item.substr(0, eq);
                 for (const auto& earlier : o->bounds)
                     if (earlier.first == name)
                         throw CLI::ValidationError("--bounds names " + name + " twice");
                 o->bounds.emplace_back(name, item.substr(eq + 1));
             }
             if (o->bounds.size() > allDimensions().size())
                 throw CLI::ValidationError("--bounds names more dimensions than there are");
         },
         "the range each varied dimension may take, in its own unit; it must hold the present "
         "value.")
        ->type_name("NAME=LO:HI,...")
        ->default_str("ValveStem within the smaller lap either side; others 10 % either side "
                      "of the value, 10 degrees for the eccentric crank angle, 0.1 for a value "
                      "of 0");
    addNumberListOption(c, "--cutoffs", o->cutOffs, "PCT,...",
                        "the mean cut-offs, percent of stroke, at which the ends are compared, "
                        "each running forward and in reverse (cut-off objective).",
                        "25,50,75", kMaxBalanceSettings / 2);
    addNumberListOption(c, "--settings", o->settings, "F,F,...",
                        "where the ends are compared with --objective positions: fractions of "
                        "RevArmToCentNorm from mid gear, negative forward, each in its own "
                        "running direction.",
                        "-1,-0.5,0.5,1", kMaxBalanceSettings);
    c->add_option_function<std::string>(
         "--weights",
         [o](const std::string& given) {
             const std::vector<std::string> w = split(given, ':');
             std::vector<double> weights;
             bool ok = w.size() == 2 || w.size() == 3;
             for (size_t i = 0; ok && i < w.size(); ++i) {
                 bool one = false;
                 weights.push_back(static_cast<double>(parseReal(w[i], &one)));
                 ok = one;
             }
             if (!ok)
                 throw CLI::ValidationError("--weights needs WC:WL or WC:WL:WK, not \"" + given +
                                            "\"");
             o->weights = weights;
         },
         "the weights of the objective's terms: front against rear cut-off, front against rear "
         "lead, and with --objective positions the mean cut-off kept where it was; none "
         "negative. Weights above 1e6 are scaled down together, saying so.")
        ->type_name("WC:WL[:WK]")
        ->default_str("1:0.1 (positions: 1:1:1)");
    addNumberOption(c, "--lead-floor", o->leadFloor, "LEN",
                    "the least lead either end may have at a compared setting.",
                    "half the starting design's smallest lead there, never below 0");
    addNumberOption(c, "--lead-ceiling", o->leadCeiling, "LEN",
                    "the largest lead either end may have at a compared setting.",
                    "twice the starting design's largest lead there");
    addNumberOption(c, "--full-gear-loss", o->fullGearLoss, "PCT",
                    "how many points the mean cut-off at full gear may fall below the starting "
                    "design's, in each direction.",
                    "2", NumberRange{0, 100});
    addFlag(c, "--allow-over-travel", o->allowOverTravel,
            "allow designs whose valve steam edge passes over the bridge into the exhaust port "
            "(by default ruled out at the compared settings, and at full gear where the "
            "starting design does not already do it).");
    addFlag(c, "--json", o->json, "print one JSON object instead of the table.");
    c->add_option_function<std::string>(
         "-o",
         [o](const std::string& given) {
             if (given.empty())
                 throw CLI::ValidationError("-o needs a file name, not an empty word");
             o->out = given;
         },
         "the dimension file to write the balanced gear to; the rest of the input is kept.")
        ->type_name("OUT.dco")
        ->required();
    c->footer("The cut-off objective is J = sum over the settings of wc (CF - CR)^2 + wl ((LF - "
              "LR) / L0)^2, with CF, CR the front and rear cut-off in percent of stroke, LF, LR "
              "the leads and L0 the starting design's mean lead. With --objective positions J = "
              "sum of wc (CF - CR)^2 + wl ((LF - LR) / 0.001)^2 + wk ((CF + CR) / 2 - M)^2, M "
              "the starting design's mean cut-off at that setting. The limits rule designs out "
              "and never enter J.");
}

} // namespace corvellan
