// corvellan balance: makes the two cylinder ends of a gear alike by changing the
// chosen dimensions within their bounds, writes the balanced gear as a
// dimension file and prints the figures before and after.
#include "app/Commands.h"

#include "app/CliSupport.h"
#include "analysis/Balance.h"
#include "analysis/BalanceSearch.h"
#include "analysis/BalanceText.h"
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
    std::optional<std::vector<std::string>> vary;
    std::vector<std::pair<std::string, std::string>> bounds; // name, "LO:HI"
    std::optional<std::vector<Ext>> settings;
    std::optional<BalanceWeights> weights;
    bool json = false;
};

// The largest number of settings a balance compares: each costs every one of
// the search's evaluations.
constexpr std::size_t kMaxBalanceSettings = 20;

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
    if (o.vary) {
        p.vary.clear();
        for (const std::string& name : *o.vary) {
            const DimensionInfo* info = dimensionByName(name);
            if (!info) {
                *error = "unknown dimension \"" + name + "\"";
                return false;
            }
            p.vary.push_back(defaultBalanceBounds(m, info->code));
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
    if (o.settings) p.settings.assign(o.settings->begin(), o.settings->end());
    if (o.weights) p.weights = *o.weights;
    *error = balanceProblemError(m, p);
    return error->empty();
}

int runBalance(const BalanceOptions& o) {
    std::string error;
    Model m;
    if (!loadGear(m, o.dims, &error)) return inputError(error);
    BalanceProblem problem;
    if (!buildProblem(m, o, problem, &error)) return inputError(error);
    warnClampedSettings(m, problem.settings);

    const auto started = std::chrono::steady_clock::now();
    BalanceObjective objective(m, problem);
    if (!objective.startFeasible())
        return inputError("the gear cannot be balanced as it is: " +
                          balanceInfeasibility(problem.settings, objective.candidateEvents()));
    const BalanceOutcome outcome = searchBalance(objective);
    BalanceReport report = makeBalanceReport(m, objective, outcome);
    report.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    const std::string name = m.DimSetName; // saving renames the set after the new file
    storeBalanceValues(m, problem, outcome.values);
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
    addWordListOption(c, "--vary", o->vary, "NAME,...",
                      "the dimensions to change, by their code names (LinkPivotHorz, ...).",
                      "EccCrankAngleDeg, LinkPivotHorz, LinkPivotVert, ValveLeverUpper, "
                      "ValveLeverLower",
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
        ->default_str("10 % either side of the value, 10 degrees for the angle, 0.1 for a value "
                      "of 0");
    addNumberListOption(c, "--settings", o->settings, "F,F,...",
                        "where the ends are compared: fractions of RevArmToCentNorm from mid "
                        "gear, negative forward, each in its own running direction.",
                        "-1,-0.5,0.5,1", kMaxBalanceSettings);
    c->add_option_function<std::string>(
         "--weights",
         [o](const std::string& given) {
             const std::vector<std::string> w = split(given, ':');
             bool ok[3] = {false, false, false};
             BalanceWeights weights;
             if (w.size() == 3) {
                 weights.cutOff = static_cast<double>(parseReal(w[0], &ok[0]));
                 weights.lead = static_cast<double>(parseReal(w[1], &ok[1]));
                 weights.mean = static_cast<double>(parseReal(w[2], &ok[2]));
             }
             if (!(ok[0] && ok[1] && ok[2]))
                 throw CLI::ValidationError("--weights needs WC:WL:WK, not \"" + given + "\"");
             o->weights = weights;
         },
         "the weights of the objective's three terms: front against rear cut-off, front "
         "against rear lead, the mean cut-off kept where it was; none negative.")
        ->type_name("WC:WL:WK")
        ->default_str("1:1:1");
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
    c->footer("The objective is J = sum over the settings of wc (CF - CR)^2 + wl ((LF - LR) / "
              "0.001)^2 + wk ((CF + CR) / 2 - M)^2, with CF, CR the front and rear cut-off in "
              "percent of stroke, LF, LR the leads in length units and M the starting design's "
              "mean cut-off at that setting.");
}

} // namespace corvellan
