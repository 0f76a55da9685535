// corvellan performance: the settled indicator figures of the 21-setting
// sweep (or the listed settings) at several speeds, on every core: the
// charts a designer reads a gear by, as a table, JSON or CSV.
#include "app/Commands.h"

#include "analysis/Parallel.h"
#include "analysis/ValveEvents.h"
#include "app/CliSupport.h"
#include "app/SteamCommandSupport.h"
#include "model/Json.h"
#include "steam/IndicatorReport.h"
#include "steam/Performance.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>

namespace corvellan {

namespace {

struct PerformanceOptions {
    SteamInputs inputs;
    std::optional<std::vector<Ext>> speeds;
    std::optional<std::vector<Ext>> positions;
    bool sweep = false, json = false, csv = false;
};

int runPerformance(const PerformanceOptions& o) {
    Model m;
    steam::Conditions c;
    std::string error;
    if (!loadSteamInputs(o.inputs, m, c, &error)) return inputError(error);

    std::vector<double> speeds = steam::defaultPerformanceSpeeds();
    if (o.speeds) {
        speeds.clear();
        for (Ext v : *o.speeds) {
            if (!(v > 0) || v > steam::kMaxSpeed)
                return inputError("--speeds " + shortestText(v) + " lies outside (0, 3000] rpm");
            speeds.push_back(static_cast<double>(v));
        }
    }
    std::vector<Real> settings;
    if (o.positions) {
        for (Ext p : *o.positions)
            settings.push_back(settingInTravel(m, "--positions", p));
    } else {
        settings = sweepSettings(m);
    }
    const steam::SiConditions si = steam::toSi(c, m);
    steam::PerformanceMap map;
    if (!steam::computePerformance(m, settings, speeds, si, defaultThreadCount(), map, nullptr,
                                   &error))
        return inputError(error);
    if (o.json)
        std::cout << jsonLine(steam::performanceJson(c, m.cyl.CylBoreDia, map)) << "\n";
    else if (o.csv)
        steam::writePerformanceCsv(c, map, std::cout);
    else
        steam::writePerformanceText(c, map, std::cout);
    return 0;
}

} // namespace

void addPerformanceCommand(CommandLine& cli) {
    auto o = std::make_shared<PerformanceOptions>();
    CLI::App* c = cli.command(
        "performance",
        "Computes the performance map: mean effective pressure, power and steam rate of each "
        "setting at several speeds, with each end's cut-off.",
        [o] { return runPerformance(*o); });
    addSteamInputOptions(c, o->inputs);
    addNumberListOption(c, "--speeds", o->speeds, "a,b,c",
                        "driver revolutions per minute, each above 0 and at most 3000.",
                        "100,200,300,500,800", steam::kMaxPerformanceSpeeds);
    CLI::Option* positions = addNumberListOption(
        c, "--positions", o->positions, "a,b,c",
        "reverse-arm settings instead of the sweep, in the gear's length unit (mid gear is "
        "RevArmCen, forward below it, reverse above), each brought into the reverse arm's "
        "travel.",
        "the sweep", 100);
    CLI::Option* sweep = addFlag(c, "--sweep", o->sweep,
                                 "mid gear, then 10 % to 100 % of RevArmToCentMax forward, then "
                                 "the same in reverse: 21 settings (the default).");
    positions->excludes(sweep);
    CLI::Option* json = addFlag(c, "--json", o->json, "print one JSON object instead of the table.");
    CLI::Option* csv = addFlag(c, "--csv", o->csv, "print one CSV row per setting and speed.");
    json->excludes(csv);
    c->footer(steamCommandFooter() + " The settings are computed on every core; the figures do "
                                     "not depend on how many.");
}

} // namespace corvellan
