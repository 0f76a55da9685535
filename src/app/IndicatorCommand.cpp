// corvellan indicator: the steam in both cylinder ends at the operating
// conditions, settled over a revolution: mean effective pressure, work,
// steam and power of each setting, or the loops as CSV.
#include "app/Commands.h"

#include "analysis/ValveEvents.h"
#include "app/CliSupport.h"
#include "app/SteamCommandSupport.h"
#include "model/Json.h"
#include "steam/Indicator.h"
#include "steam/IndicatorReport.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>

namespace corvellan {

namespace {

struct IndicatorCommandOptions {
    SteamInputs inputs;
    std::optional<std::vector<Ext>> positions;
    std::optional<Ext> revArm;
    bool json = false, csv = false;
};

int runIndicator(const IndicatorCommandOptions& o) {
    Model m;
    steam::Conditions c;
    std::string error;
    if (!loadSteamInputs(o.inputs, m, c, &error)) return inputError(error);

    std::vector<Real> settings;
    if (o.revArm) {
        settings.push_back(settingInTravel(m, "--revarm", *o.revArm));
    } else if (o.positions) {
        for (Ext p : *o.positions)
            settings.push_back(settingInTravel(m, "--positions", p));
    } else {
        settings = diagramPositionSettings(m);
        if (settings.empty())
            return inputError("the dimension set has no diagram positions; give --positions");
    }
    const steam::SiConditions si = steam::toSi(c, m);
    steam::IndicatorOptions options;
    if (!o.csv) options.loopPoints = 0;
    const auto results = steam::computeIndicators(m, settings, si, options);
    if (o.json)
        std::cout << jsonLine(steam::indicatorJson(c, m.cyl.CylBoreDia, results)) << "\n";
    else if (o.csv)
        steam::writeIndicatorCsv(c, results, std::cout);
    else
        steam::writeIndicatorText(c, results, std::cout);
    return 0;
}

} // namespace

void addIndicatorCommand(CommandLine& cli) {
    auto o = std::make_shared<IndicatorCommandOptions>();
    CLI::App* c = cli.command(
        "indicator",
        "Computes the steam in both cylinder ends over a settled revolution at the operating "
        "conditions: mean effective pressure, work, steam, power and steam rate of each setting.",
        [o] { return runIndicator(*o); });
    addSteamInputOptions(c, o->inputs);
    CLI::Option* positions = addNumberListOption(
        c, "--positions", o->positions, "a,b,c",
        "reverse-arm settings, in the gear's length unit: mid gear is RevArmCen, forward lies "
        "below it and reverse above. Each is brought into the reverse arm's travel.",
        "the diagram positions", 100);
    CLI::Option* revArm =
        addNumberOption(c, "--revarm", o->revArm, "X", "one reverse-arm setting (as --positions).",
                        "the diagram positions");
    revArm->excludes(positions);
    CLI::Option* json = addFlag(c, "--json", o->json, "print one JSON object instead of the table.");
    CLI::Option* csv = addFlag(c, "--csv", o->csv,
                               "print the loops as CSV: per setting, 361 points over the settled "
                               "revolution with each end's piston position, volume and pressure.");
    json->excludes(csv);
    c->footer(steamCommandFooter());
}

} // namespace corvellan
