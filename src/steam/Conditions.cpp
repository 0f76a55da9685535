#include "steam/Conditions.h"

#include "model/Model.h"
#include "model/SaveFile.h"
#include "steam/Fluid.h"
#include "steam/IF97.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace corvellan::steam {

namespace {

constexpr double kPsi = 4.4482216152605 / 0.00064516; // Pa: lbf per square inch
constexpr double kFootPound = 0.3048 * 4.4482216152605; // J
constexpr double kHorsepower = 550 * kFootPound;          // W
constexpr double kPi = 3.14159265358979323846;

const UnitScales kImperial{0.0254, kPsi, 0.45359237, kHorsepower, kFootPound,
                           "in", "psi", "degF", "lb", "hp", "ft lbf", "lb/(hp h)"};
const UnitScales kMetric{0.001, 1e5, 1, 1000, 1, "mm", "bar", "degC", "kg", "kW", "J", "kg/kWh"};

std::string figure(double v) {
    std::ostringstream s;
    s.imbue(std::locale::classic());
    s.precision(6);
    s << v;
    return s.str();
}

} // namespace

const char* unitSystemName(UnitSystem u) {
    return u == UnitSystem::Metric ? "metric" : "imperial";
}

const char* fluidKindName(FluidKind f) {
    return f == FluidKind::PerfectGas ? "perfect-gas" : "steam";
}

const UnitScales& unitScales(UnitSystem u) {
    return u == UnitSystem::Metric ? kMetric : kImperial;
}

double temperatureToKelvin(UnitSystem u, double t) {
    return u == UnitSystem::Metric ? t + 273.15 : (t - 32) * 5 / 9 + 273.15;
}

double kelvinToTemperature(UnitSystem u, double k) {
    return u == UnitSystem::Metric ? k - 273.15 : (k - 273.15) * 9 / 5 + 32;
}

Conditions convertUnits(const Conditions& c, UnitSystem to) {
    if (c.Units == to) return c;
    const UnitScales& a = unitScales(c.Units);
    const UnitScales& b = unitScales(to);
    Conditions r = c;
    r.Units = to;
    const double p = a.pressure / b.pressure, l = a.length / b.length;
    r.ChestPressure *= p;
    r.BackPressure *= p;
    r.Atmosphere *= p;
    if (c.ChestTemperature)
        r.ChestTemperature = kelvinToTemperature(to, temperatureToKelvin(c.Units, *c.ChestTemperature));
    if (c.PortBreadth) r.PortBreadth = *c.PortBreadth * l;
    if (c.PistonRodDia) r.PistonRodDia = *c.PistonRodDia * l;
    return r;
}

Conditions defaultConditions(UnitSystem units) {
    return convertUnits(Conditions{}, units);
}

double portBreadthFor(const Conditions& c, double bore) {
    return c.PortBreadth ? *c.PortBreadth : 0.8 * bore;
}

double pistonRodDiaFor(const Conditions& c, double bore) {
    return c.PistonRodDia ? *c.PistonRodDia : 0.15 * bore;
}

std::string validateConditions(const Conditions& c, double bore) {
    const UnitScales& u = unitScales(c.Units);
    const std::string pu = std::string(" ") + u.pressureName;
    const std::string lu = std::string(" ") + u.lengthName;
    struct Named {
        const char* name;
        double value;
    };
    const Named numbers[] = {{"ChestPressure", c.ChestPressure},
                             {"ChestTemperature", c.ChestTemperature.value_or(0)},
                             {"BackPressure", c.BackPressure},
                             {"Atmosphere", c.Atmosphere},
                             {"Speed", c.Speed},
                             {"ClearanceFront", c.ClearanceFront},
                             {"ClearanceRear", c.ClearanceRear},
                             {"PortBreadth", c.PortBreadth.value_or(0)},
                             {"DischargeCoefficient", c.DischargeCoefficient},
                             {"PistonRodDia", c.PistonRodDia.value_or(0)},
                             {"Gamma", c.Gamma}};
    for (const Named& n : numbers)
        if (!std::isfinite(n.value)) return std::string(n.name) + " is not a finite number";
    if (!std::isfinite(bore) || !(bore > 0))
        return "the gear's CylBoreDia " + figure(bore) + " is not a positive length";

    const double atm = c.Atmosphere * u.pressure;
    const double chest = c.ChestPressure * u.pressure + atm;
    const double back = c.BackPressure * u.pressure + atm;
    if (!(c.Atmosphere > 0)) return "Atmosphere " + figure(c.Atmosphere) + pu + " is not above 0";
    if (back < 0)
        return "BackPressure " + figure(c.BackPressure) + pu + " gauge lies below a full vacuum (" +
               figure(-c.Atmosphere) + pu + ")";
    if (back < kMinBackPressure)
        return "BackPressure " + figure(c.BackPressure) + pu +
               " gauge lies below the triple point of water (611.2 Pa absolute, " +
               figure(kMinBackPressure / u.pressure - c.Atmosphere) + pu + " gauge)";
    if (!(chest > back))
        return "ChestPressure " + figure(c.ChestPressure) + pu + " is not above BackPressure " +
               figure(c.BackPressure) + pu;
    if (chest > kMaxChestPressure)
        return "ChestPressure " + figure(c.ChestPressure) + pu +
               " lies above 100 MPa absolute, where IF97 ends";
    if (!c.ChestTemperature && chest > if97::kCriticalPressure)
        return "ChestPressure " + figure(c.ChestPressure) + pu +
               " lies above the critical pressure of water (22.064 MPa): no steam is saturated "
               "there; give ChestTemperature";
    if (c.ChestTemperature) {
        const double T = temperatureToKelvin(c.Units, *c.ChestTemperature);
        const std::string tu = std::string(" ") + u.temperatureName;
        if (chest <= if97::kCriticalPressure) {
            const double Ts = if97::saturationTemperature(chest);
            if (T < Ts)
                return "ChestTemperature " + figure(*c.ChestTemperature) + tu +
                       " lies below the saturation temperature at ChestPressure (" +
                       figure(kelvinToTemperature(c.Units, Ts)) + tu + ")";
        }
        if (T > if97::kRegion2MaxTemperature)
            return "ChestTemperature " + figure(*c.ChestTemperature) + tu + " lies above " +
                   figure(kelvinToTemperature(c.Units, if97::kRegion2MaxTemperature)) + tu +
                   ", where IF97's steam ends";
        if (c.Fluid == FluidKind::Steam && if97::regionOf(chest, T) != if97::Region::Two)
            return "ChestTemperature " + figure(*c.ChestTemperature) + tu +
                   " at ChestPressure lies outside IF97's superheated-steam region";
    }
    if (!(c.Speed > 0) || c.Speed > kMaxSpeed)
        return "Speed " + figure(c.Speed) + " rpm lies outside (0, 3000] rpm";
    for (const Named& n : {Named{"ClearanceFront", c.ClearanceFront},
                           Named{"ClearanceRear", c.ClearanceRear}})
        if (!(n.value >= kMinClearancePct && n.value <= kMaxClearancePct))
            return std::string(n.name) + " " + figure(n.value) +
                   " % lies outside 0.5 % to 100 % of the swept volume";
    if (!(c.DischargeCoefficient > 0 && c.DischargeCoefficient <= 1))
        return "DischargeCoefficient " + figure(c.DischargeCoefficient) + " lies outside (0, 1]";
    const double breadth = portBreadthFor(c, bore);
    if (!(breadth > 0)) return "PortBreadth " + figure(breadth) + lu + " is not above 0";
    const double rod = pistonRodDiaFor(c, bore);
    if (rod < 0) return "PistonRodDia " + figure(rod) + lu + " is negative";
    if (!(rod < bore))
        return "PistonRodDia " + figure(rod) + lu + " is not thinner than the bore (" +
               figure(bore) + lu + ")";
    if (c.Cylinders < 1 || c.Cylinders > kMaxCylinders)
        return "Cylinders " + std::to_string(c.Cylinders) + " lies outside 1 to 16";
    if (!(c.Gamma > 1) || c.Gamma > kMaxGamma)
        return "Gamma " + figure(c.Gamma) + " lies outside (1, 3]";
    return {};
}

SiConditions toSi(const Conditions& c, const Model& gear) {
    const UnitScales& u = unitScales(c.Units);
    const double L = u.length;
    const double bore = gear.cyl.CylBoreDia;
    SiConditions s;
    s.fluid = c.Fluid;
    s.gamma = c.Gamma;
    s.lengthScale = L;
    s.atmosphere = c.Atmosphere * u.pressure;
    s.chestPressure = c.ChestPressure * u.pressure + s.atmosphere;
    s.backPressure = c.BackPressure * u.pressure + s.atmosphere;
    s.chestSaturated = !c.ChestTemperature;
    s.chestTemperature = c.ChestTemperature ? temperatureToKelvin(c.Units, *c.ChestTemperature)
                                            : if97::saturationTemperature(s.chestPressure);
    s.speed = c.Speed;
    s.omega = 2 * kPi * c.Speed / 60;
    s.clearanceFront = c.ClearanceFront / 100;
    s.clearanceRear = c.ClearanceRear / 100;
    s.portBreadth = portBreadthFor(c, bore) * L;
    s.dischargeCoefficient = c.DischargeCoefficient;
    s.pistonRodDia = pistonRodDiaFor(c, bore) * L;
    s.bore = bore * L;
    // The crank may be given either way round; the swept volume is the same.
    s.stroke = std::fabs(static_cast<double>(gear.frame.Stroke)) * L;
    s.steamPortWidthFront = static_cast<double>(gear.cyl.SteamPortWidthFront) * L;
    s.steamPortWidthRear = static_cast<double>(gear.cyl.SteamPortWidthRear) * L;
    s.cylinders = c.Cylinders;
    return s;
}

// JSON -----------------------------------------------------------------------

namespace {

using nlohmann::json;

bool numberOf(const json& v, const char* key, double& out, std::string* error) {
    if (!v.is_number()) {
        if (error) *error = std::string(key) + " must be a number";
        return false;
    }
    out = v.get<double>();
    return true;
}

bool optionalNumberOf(const json& v, const char* key, std::optional<double>& out,
                      std::string* error) {
    if (v.is_null()) {
        out.reset();
        return true;
    }
    double d = 0;
    if (!v.is_number()) {
        if (error) *error = std::string(key) + " must be a number or null";
        return false;
    }
    d = v.get<double>();
    out = d;
    return true;
}

json number(double v) {
    if (v == std::trunc(v) && std::fabs(v) < 9007199254740992.0)
        return static_cast<std::int64_t>(v);
    return v;
}

json optionalNumber(const std::optional<double>& v) {
    return v ? number(*v) : json(nullptr);
}

bool fail(std::string* error, const std::string& what) {
    if (error) *error = what;
    return false;
}

} // namespace

bool readConditionsJson(const std::string& text, Conditions& out, std::string* error) {
    json doc = json::parse(text, nullptr, false);
    if (doc.is_discarded()) return fail(error, "the conditions are not JSON");
    if (!doc.is_object()) return fail(error, "the conditions are not a JSON object");

    UnitSystem units = UnitSystem::Imperial;
    if (doc.contains("Units")) {
        const json& v = doc["Units"];
        if (v == "imperial")
            units = UnitSystem::Imperial;
        else if (v == "metric")
            units = UnitSystem::Metric;
        else
            return fail(error, "Units " + v.dump() + " is neither \"imperial\" nor \"metric\"");
    }
    Conditions c = defaultConditions(units);
    for (const auto& item : doc.items()) {
        const std::string& k = item.key();
        const json& v = item.value();
        const char* key = k.c_str();
        bool ok = true;
        if (k == "Units")
            continue;
        else if (k == "ChestPressure")
            ok = numberOf(v, key, c.ChestPressure, error);
        else if (k == "ChestTemperature")
            ok = optionalNumberOf(v, key, c.ChestTemperature, error);
        else if (k == "BackPressure")
            ok = numberOf(v, key, c.BackPressure, error);
        else if (k == "Atmosphere")
            ok = numberOf(v, key, c.Atmosphere, error);
        else if (k == "Speed")
            ok = numberOf(v, key, c.Speed, error);
        else if (k == "ClearanceFront")
            ok = numberOf(v, key, c.ClearanceFront, error);
        else if (k == "ClearanceRear")
            ok = numberOf(v, key, c.ClearanceRear, error);
        else if (k == "PortBreadth")
            ok = optionalNumberOf(v, key, c.PortBreadth, error);
        else if (k == "DischargeCoefficient")
            ok = numberOf(v, key, c.DischargeCoefficient, error);
        else if (k == "PistonRodDia")
            ok = optionalNumberOf(v, key, c.PistonRodDia, error);
        else if (k == "Cylinders") {
            double d = 0;
            ok = numberOf(v, key, d, error);
            if (ok && !(d == std::trunc(d) && d >= 1 && d <= kMaxCylinders))
                return fail(error, "Cylinders " + v.dump() + " is not a whole number from 1 to 16");
            if (ok) c.Cylinders = static_cast<int>(d);
        } else if (k == "Fluid") {
            if (v == "steam")
                c.Fluid = FluidKind::Steam;
            else if (v == "perfect-gas")
                c.Fluid = FluidKind::PerfectGas;
            else
                return fail(error,
                            "Fluid " + v.dump() + " is neither \"steam\" nor \"perfect-gas\"");
        } else if (k == "Gamma")
            ok = numberOf(v, key, c.Gamma, error);
        else
            return fail(error, "unknown condition \"" + k + "\"");
        if (!ok) return false;
    }
    out = c;
    return true;
}

std::string writeConditionsJson(const Conditions& c) {
    nlohmann::ordered_json j;
    j["Units"] = unitSystemName(c.Units);
    j["ChestPressure"] = number(c.ChestPressure);
    j["ChestTemperature"] = optionalNumber(c.ChestTemperature);
    j["BackPressure"] = number(c.BackPressure);
    j["Atmosphere"] = number(c.Atmosphere);
    j["Speed"] = number(c.Speed);
    j["ClearanceFront"] = number(c.ClearanceFront);
    j["ClearanceRear"] = number(c.ClearanceRear);
    j["PortBreadth"] = optionalNumber(c.PortBreadth);
    j["DischargeCoefficient"] = number(c.DischargeCoefficient);
    j["PistonRodDia"] = optionalNumber(c.PistonRodDia);
    j["Cylinders"] = c.Cylinders;
    j["Fluid"] = fluidKindName(c.Fluid);
    j["Gamma"] = number(c.Gamma);
    return j.dump(2) + "\n";
}

namespace {
// A conditions file is a handful of lines; anything much larger is not one.
constexpr std::streamoff kMaxFileBytes = 1 << 20;
} // namespace

bool readConditionsFile(const std::string& path, Conditions& out, std::string* error) {
    // A named pipe or a folder is no conditions file: refuse it before
    // opening, which could wait on it.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return fail(error, "the conditions file " + path + " is not a readable file");
    std::ifstream in(path, std::ios::binary);
    if (!in) return fail(error, "cannot read the conditions file " + path);
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) return fail(error, "cannot read the conditions file " + path);
    if (size > kMaxFileBytes) return fail(error, path + " is too large to be a conditions file");
    in.seekg(0);
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), size);
    if (!in) return fail(error, "cannot read the conditions file " + path);
    std::string why;
    if (!readConditionsJson(text, out, &why)) return fail(error, path + ": " + why);
    return true;
}

bool writeConditionsFile(const std::string& path, const Conditions& c, std::string* error) {
    const std::string why = writeFileReplacing(path, writeConditionsJson(c));
    if (!why.empty()) return fail(error, "cannot write the conditions file " + path + ": " + why);
    return true;
}

std::string conditionsPathFor(const std::string& dimensionPath) {
    const std::size_t slash = dimensionPath.find_last_of("/\\");
    const std::size_t dot = dimensionPath.find_last_of('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    const std::string stem = hasExtension ? dimensionPath.substr(0, dot) : dimensionPath;
    return stem + ".conditions.json";
}

} // namespace corvellan::steam
