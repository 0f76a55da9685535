#include "app/BalanceCommand.h"

#include "app/CliSupport.h"
#include "analysis/Balance.h"
#include "analysis/BalanceSearch.h"
#include "analysis/BalanceText.h"
#include "model/DimensionFile.h"

#include <chrono>
#include <cmath>
#include <iostream>
#include <map>

namespace corvellan {

namespace {

struct BalanceOptions {
    std::string dims;
    std::string out;
    std::vector<std::string> vary;
    std::map<std::string, std::string> bounds; // name -> "LO:HI"
    std::vector<Ext> settings;
    std::string weights;
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

bool readOptions(const std::vector<std::string>& args, BalanceOptions& o, std::string* error) {
    ArgReader in(args);
    while (in.more()) {
        const std::string opt = in.next();
        if (opt == "--dims") {
            o.dims = in.value(opt);
        } else if (opt == "-o") {
            o.out = in.value(opt);
        } else if (opt == "--vary") {
            o.vary = split(in.value(opt), ',');
        } else if (opt == "--bounds") {
            for (const std::string& item : split(in.value(opt), ',')) {
                const size_t eq = item.find('=');
                if (eq == std::string::npos)
                    in.fail("--bounds needs NAME=LO:HI, not \"" + item + "\"");
                else
                    o.bounds[item.substr(0, eq)] = item.substr(eq + 1);
            }
        } else if (opt == "--settings") {
            in.numbers(opt, o.settings);
        } else if (opt == "--weights") {
            o.weights = in.value(opt);
        } else if (opt == "--json") {
            o.json = true;
        } else {
            in.fail("unknown option " + opt);
        }
    }
    if (in.ok() && o.out.empty()) in.fail("balance needs -o OUT.dco");
    *error = in.error();
    return in.ok();
}

// The problem the options describe for this gear, or an error.
bool buildProblem(const Model& m, const BalanceOptions& o, BalanceProblem& p, std::string* error) {
    p = defaultBalanceProblem(m);
    if (!o.vary.empty()) {
        p.vary.clear();
        for (const std::string& name : o.vary) {
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
    if (!o.settings.empty()) p.settings.assign(o.settings.begin(), o.settings.end());
    if (!o.weights.empty()) {
        const std::vector<std::string> w = split(o.weights, ':');
        bool ok[3] = {false, false, false};
        if (w.size() == 3) {
            p.weights.cutOff = static_cast<double>(parseReal(w[0], &ok[0]));
            p.weights.lead = static_cast<double>(parseReal(w[1], &ok[1]));
            p.weights.mean = static_cast<double>(parseReal(w[2], &ok[2]));
        }
        if (!(ok[0] && ok[1] && ok[2])) {
            *error = "--weights needs WC:WL:WK, not \"" + o.weights + "\"";
            return false;
        }
    }
    *error = balanceProblemError(m, p);
    return error->empty();
}

} // namespace

int balanceCommand(const std::vector<std::string>& args) {
    BalanceOptions o;
    std::string error;
    if (!readOptions(args, o, &error)) return usageError(error);
    Model m;
    if (!loadGear(m, o.dims, &error)) return inputError(error);
    BalanceProblem problem;
    if (!buildProblem(m, o, problem, &error)) return inputError(error);

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

} // namespace corvellan
