#pragma once
// The operating conditions of the cylinder model: what the steam physics
// needs beyond the gear's lengths (which are in no unit of their own). They
// are held as the user gives them, in one unit system, and converted to SI
// for the computation. Saved as JSON beside the dimension file
// (gear.dco -> gear.conditions.json).

#include <optional>
#include <string>

namespace corvellan {
struct Model;
}

namespace corvellan::steam {

enum class UnitSystem {
    Imperial, // in, psi, degF, lb, hp, ft lbf
    Metric,   // mm, bar, degC, kg, kW, J
};

enum class FluidKind { Steam, PerfectGas };

// The names as the JSON keys, the dialog and the user guide spell them.
const char* unitSystemName(UnitSystem u); // "imperial", "metric"
const char* fluidKindName(FluidKind f);   // "steam", "perfect-gas"

struct Conditions {
    UnitSystem Units = UnitSystem::Imperial;
    double ChestPressure = 90; // gauge, psi or bar
    // Steam temperature in the chest, degF or degC; absent: dry saturated
    // steam at the chest pressure.
    std::optional<double> ChestTemperature;
    double BackPressure = 2;     // gauge
    double Atmosphere = 14.696;  // absolute
    double Speed = 300;          // driver revolutions per minute
    double ClearanceFront = 8;   // percent of that end's swept volume
    double ClearanceRear = 8;
    // Across the valve face, in the gear's length unit; absent: 0.8 x CylBoreDia.
    std::optional<double> PortBreadth;
    double DischargeCoefficient = 0.8;
    // Through the rear cover, in the gear's length unit; absent: 0.15 x CylBoreDia.
    std::optional<double> PistonRodDia;
    int Cylinders = 2;
    FluidKind Fluid = FluidKind::Steam;
    double Gamma = 1.3; // of the perfect gas
};

// The defaults in a unit system: the same physical values in either.
Conditions defaultConditions(UnitSystem units = UnitSystem::Imperial);

// The same conditions in another unit system (every figure converted).
Conditions convertUnits(const Conditions& c, UnitSystem to);

// Unit conversions, user unit <-> SI.
struct UnitScales {
    double length;   // m per length unit (0.0254, 0.001)
    double pressure; // Pa per pressure unit (6894.757..., 1e5)
    double mass;     // kg per mass unit (0.45359237, 1)
    double power;    // W per power unit (745.699..., 1000)
    double work;     // J per work unit (1.3558..., 1)
    // The unit names, as the outputs label their figures.
    const char *lengthName, *pressureName, *temperatureName, *massName, *powerName, *workName,
        *steamRateName;
};
const UnitScales& unitScales(UnitSystem u);
double temperatureToKelvin(UnitSystem u, double t);
double kelvinToTemperature(UnitSystem u, double kelvin);

// Limits the conditions are checked against.
constexpr double kMaxSpeed = 3000;        // rpm
constexpr double kMinClearancePct = 0.5;  // percent
constexpr double kMaxClearancePct = 100;  // percent
constexpr int kMaxCylinders = 16;
constexpr double kMaxGamma = 3;
constexpr double kMinBackPressure = 611.2; // Pa absolute: the triple point of water
constexpr double kMaxChestPressure = 100e6; // Pa absolute: where IF97's regions end

// The conditions in SI for one gear: pressures absolute.
struct SiConditions {
    FluidKind fluid = FluidKind::Steam;
    double gamma = 1.3;
    double chestPressure = 0;    // Pa
    double chestTemperature = 0; // K (the saturation temperature where none is given)
    bool chestSaturated = true;  // no temperature given: dry saturated
    double backPressure = 0;     // Pa
    double atmosphere = 0;       // Pa
    double speed = 0;            // rpm
    double omega = 0;            // rad/s
    double clearanceFront = 0, clearanceRear = 0; // fractions
    double portBreadth = 0;      // m
    double dischargeCoefficient = 0;
    double pistonRodDia = 0; // m
    double bore = 0, stroke = 0; // m
    double steamPortWidthFront = 0, steamPortWidthRear = 0; // m
    double lengthScale = 0; // m per gear length unit
    int cylinders = 0;
};

// The port breadth and rod diameter that hold for a bore (in the gear's
// length unit): the ones given, else their defaults.
double portBreadthFor(const Conditions& c, double bore);
double pistonRodDiaFor(const Conditions& c, double bore);

// Checks the conditions for a gear of bore `bore` (gear length unit): empty
// when they are sound, otherwise one line saying what is wrong with the
// first bad one, in the user's units.
std::string validateConditions(const Conditions& c, double bore);

// The conditions in SI for the gear's lengths. Call on validated conditions.
SiConditions toSi(const Conditions& c, const Model& gear);

// JSON: an object with the keys above; a key left out takes its default (in
// the file's Units). Unknown keys, values of the wrong kind and text that is
// not JSON are refused: false, with one line in `error`, and `out` left as
// it was. The values are not range-checked here (validateConditions does).
bool readConditionsJson(const std::string& text, Conditions& out, std::string* error);
std::string writeConditionsJson(const Conditions& c);

// Files: read (refused as above, or when it cannot be read) and written.
bool readConditionsFile(const std::string& path, Conditions& out, std::string* error);
bool writeConditionsFile(const std::string& path, const Conditions& c, std::string* error);

// The conditions file beside a dimension file: "dir/gear.dco" ->
// "dir/gear.conditions.json" (any extension replaced; none: appended).
std::string conditionsPathFor(const std::string& dimensionPath);

} // namespace corvellan::steam
