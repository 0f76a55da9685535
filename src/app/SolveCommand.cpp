// corvellan solve: the gear solved once, as a table or one JSON object.
#include "app/Commands.h"

#include "app/CliSupport.h"
#include "model/Json.h"
#include "model/Model.h"
#include "model/Solver.h"
#include "model/Valve.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <iostream>
#include <memory>

namespace corvellan {

namespace {

struct SolveOptions {
    std::string dims;
    std::optional<Ext> angle, revArm;
    bool json = false;
};

// A figure of the solved gear and the scale of the quantities it comes from.
struct SolvedFigure {
    const char* name;
    Real value;
    Ext scale;
};

std::vector<SolvedFigure> lapFigures(const Model& m) {
    const LapConstants& l = m.lap;
    const Ext s = gearLengthScale(m);
    return {{"FrontSteamOpenAt", l.FrontSteamOpenAt, s},
            {"FrontSteamFullAt", l.FrontSteamFullAt, s},
            {"FrontExhaustOpenAt", l.FrontExhaustOpenAt, s},
            {"RearSteamOpenAt", l.RearSteamOpenAt, s},
            {"RearSteamFullAt", l.RearSteamFullAt, s},
            {"RearExhaustOpenAt", l.RearExhaustOpenAt, s},
            {"RearSteamOpenShift", l.RearSteamOpenShift, s},
            {"FrontSteamOpenX4", l.FrontSteamOpenX4, s},
            {"FrontSteamLap", l.FrontSteamLap, s},
            {"RearSteamLap", l.RearSteamLap, s},
            {"FrontExhClearance", l.FrontExhClearance, s},
            {"RearExhClearance", l.RearExhClearance, s}};
}

// PistonTravelPos runs from 0 to 640 over the stroke; the link and lever
// angles are in radians.
constexpr Ext kPistonTravelScale = 640;

std::vector<SolvedFigure> valveFigures(const Model& m) {
    const Ext s = gearLengthScale(m);
    return {{"LinkAngle", m.LinkAngle, kPi},
            {"ValveLeverAngle", m.ValveLeverAngle, kPi},
            {"ValveCen", m.lap.ValveCen, s},
            {"FrontSteamOpening", m.valve.FrontSteamOpening, s},
            {"FrontExhaustOpening", m.valve.FrontExhaustOpening, s},
            {"RearSteamOpening", m.valve.RearSteamOpening, s},
            {"RearExhaustOpening", m.valve.RearExhaustOpening, s},
            {"PistonTravelPos", m.valve.PistonTravelPos, kPistonTravelScale}};
}

void printJson(const Model& m, std::ostream& out) {
    const Ext s = gearLengthScale(m);
    Json j;
    j["RevArmCen"] = jsonFigure(m.gear.RevArmCen(), s);
    Json pivots = Json::array();
    for (int p = 0; p <= 20; ++p)
        pivots.push_back({jsonFigure(m.pivots.X[p], s), jsonFigure(m.pivots.Y[p], s)});
    j["Pivots"] = std::move(pivots);
    for (const SolvedFigure& f : valveFigures(m))
        j[f.name] = jsonFigure(f.value, f.scale);
    for (const SolvedFigure& f : lapFigures(m))
        j[f.name] = jsonFigure(f.value, f.scale);
    j["GeometryError"] = m.error.GeometryError;
    out << jsonLine(j) << "\n";
}

void printTable(const Model& m, std::ostream& out) {
    auto row = [&out](const std::string& name, Real value) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "%-22s%s\n", name.c_str(),
                      formatFixed(value, 12, 6).c_str());
        out << buf;
    };
    out << "Dimension set: " << m.DimSetName << "\n";
    row("RevArmCen", m.gear.RevArmCen());
    out << "\nPivot          X            Y\n";
    for (int p = 0; p <= 20; ++p) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "%5d %12s %12s\n", p,
                      formatFixed(m.pivots.X[p], 12, 6).c_str(),
                      formatFixed(m.pivots.Y[p], 12, 6).c_str());
        out << buf;
    }
    out << "\n";
    for (const SolvedFigure& f : valveFigures(m))
        row(f.name, f.value);
    out << "\n";
    for (const SolvedFigure& f : lapFigures(m))
        row(f.name, f.value);
    out << "\nGeometryError         " << (m.error.GeometryError ? "true" : "false") << "\n";
    const std::string unbuildable = unbuildableLinkage(m.frame);
    if (!unbuildable.empty()) out << "  (" << unbuildable << ")\n";
}

int runSolve(const SolveOptions& o) {
    Model m;
    std::string error;
    if (!loadGear(m, o.dims, &error)) return inputError(error);
    // Mid gear unless a setting is given; the file's own reverse-arm setting
    // is recomputed on open anyway.
    if (o.angle) m.gear.DriverAngle = storedValue("--angle", *o.angle);
    if (o.revArm) m.gear.RevArmPos = storedValue("--revarm", *o.revArm);
    solve(m);
    computeValve(m);
    if (o.json)
        printJson(m, std::cout);
    else
        printTable(m, std::cout);
    return 0;
}

} // namespace

void addSolveCommand(CommandLine& cli) {
    auto o = std::make_shared<SolveOptions>();
    CLI::App* c = cli.command(
        "solve",
        "Solves the gear once and prints mid gear, the pivots, the valve and the lap constants.",
        [o] { return runSolve(*o); });
    addDimsOption(c, o->dims);
    addNumberOption(c, "--angle", o->angle, "DEG",
                    "driver angle in degrees: 0 at front dead centre, growing as the gear runs "
                    "forward.",
                    "0");
    addNumberOption(c, "--revarm", o->revArm, "X",
                    "reverse-arm setting (RevArmPos) in the gear's length unit: mid gear is "
                    "RevArmCen, forward lies below it, reverse above.",
                    "mid gear");
    addFlag(c, "--json", o->json, "print one JSON object instead of the table.");
    c->footer("The table and the JSON hold mid gear (RevArmCen), pivots 0 to 20 (X towards the "
              "cylinder, Y up, from the driver centre), the link and valve-lever angles "
              "(radians), the valve position and its four port openings (negative: shut), the "
              "piston position (PistonTravelPos, 0 at front dead centre to 640 at rear dead "
              "centre), the lap constants, and GeometryError: whether the solver had to repair "
              "a construction the gear cannot make.");
}

} // namespace corvellan
