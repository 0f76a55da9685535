#include "app/SteamCommandSupport.h"

#include "analysis/ValveEvents.h"
#include "app/CliSupport.h"

#include <filesystem>

namespace corvellan {

void addSteamInputOptions(CLI::App* c, SteamInputs& in) {
    addDimsOption(c, in.dims);
    addDimsOption(c, in.conditions, "--conditions",
                  "the operating conditions: a JSON file of the keys the user guide lists (a "
                  "key left out takes its default). Without it, the file NAME.conditions.json "
                  "beside the dimension file NAME.dco where there is one, else the defaults.")
        ->default_str("the defaults");
    addNumberOption(c, "--speed", in.speed, "RPM",
                    "driver revolutions per minute, over the conditions' Speed; above 0, at "
                    "most 3000.",
                    "the conditions' Speed (300)");
}

bool loadSteamInputs(const SteamInputs& in, Model& m, steam::Conditions& c, std::string* error) {
    if (!loadGear(m, in.dims, error)) return false;
    c = steam::defaultConditions();
    std::string path = in.conditions;
    if (path.empty() && !in.dims.empty()) {
        const std::string beside = steam::conditionsPathFor(in.dims);
        std::error_code ec;
        if (std::filesystem::is_regular_file(beside, ec)) path = beside;
    }
    if (!path.empty() && !steam::readConditionsFile(path, c, error)) return false;
    if (in.speed) c.Speed = static_cast<double>(*in.speed);
    const std::string bad = steam::validateConditions(c, m.cyl.CylBoreDia);
    if (!bad.empty()) {
        if (error) *error = bad;
        return false;
    }
    return true;
}

Real settingInTravel(const Model& m, const std::string& option, Ext value) {
    const Real setting = clampSetting(m, value);
    if (setting != clampToReal(value)) {
        const Ext cen = m.gear.RevArmCen(), max = m.frame.RevArmToCentMax;
        warnAdjusted(adjustedText(option, value,
                                  "lies beyond the reverse arm's travel (" +
                                      shortestText(cen - max) + " to " + shortestText(cen + max) +
                                      ")",
                                  setting));
    }
    return setting;
}

std::string steamCommandFooter() {
    return "The gear's lengths are read in the conditions' length unit (inches for \"imperial\", "
           "millimetres for \"metric\"), and every figure is given in the conditions' units: "
           "pressures in psi or bar, gauge except the mean effective pressures (MEP, IdealMEP); "
           "work per end and revolution in ft lbf or J; steam in lb or kg; power in hp or kW; "
           "steam rate in lb/(hp h) or kg/kWh (null where the power is not positive). Each end "
           "is integrated revolution after revolution from the exhaust state until its work and "
           "steam repeat within 1e-5 (at most 30; \"Settled\" says whether they did). A "
           "condition out of range, a conditions file that is not JSON or has an unknown key, "
           "is refused with one line and exit status 2.";
}

} // namespace corvellan
