#include "app/Cli.h"

#include "app/BalanceCommand.h"
#include "app/CliSupport.h"
#include "app/CompareCommand.h"
#include "app/DesignSpaceCommands.h"
#include "app/DesignSpaceCommands.h"
#include "app/DesignSpacePicture.h"
#include "app/DiagramCommand.h"
#include "app/EventsPicture.h"
#include "app/EventsCommand.h"
#include "app/RenderCommand.h"
#include "app/TableCommand.h"
#include "model/Model.h"
#include "model/Solver.h"
#include "model/Valve.h"

#include <cmath>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace corvellan {

namespace {

const char* kUsage =
    "usage:\n"
    "  corvellan                      open the simulator window\n"
    "  corvellan FILE.dco             open the simulator on a dimension file\n"
    "  corvellan solve [--dims FILE] [--angle DEG] [--revarm X] [--json]\n"
    "  corvellan render mechanism [--dims FILE] [--angle DEG] [--revarm X] [--steam]\n"
    "                   [--no-screen-data] [--paths] [--pivots p1,...,p6]\n"
    "                   -o OUT.png|OUT.svg|OUT.pdf\n"
    "  corvellan render sine|oval|steam|ports [--dims FILE] [--positions a,b,c]\n"
    "                   [--scale S] [--mode F|R|B] [--large-font] [--compare B.dco]\n"
    "                   -o OUT.png|OUT.svg|OUT.pdf\n"
    "  corvellan render events [--dims FILE] [--sweep] -o OUT.png\n"
    "  corvellan render sensitivity|tolerance|sweep [the command's options] [--revarm X]\n"
    "                   [--figure KEY] -o OUT.png|OUT.svg|OUT.pdf\n"
    "  corvellan table [--dims FILE] [--revarm X] [--step DEG] [--pivots p1,...,p6] [--csv]\n"
    "  corvellan events [--dims FILE] [--positions a,b,c | --sweep] [--json | --csv]\n"
    "  corvellan compare A.dco B.dco [--positions a,b,c | --sweep] [--json | --csv]\n"
    "  corvellan balance [--dims FILE] [--vary NAME,...] [--bounds NAME=LO:HI,...]\n"
    "                   [--settings F,F,...] [--weights WC:WL:WK] [--json] -o OUT.dco\n"
    "  corvellan sensitivity [--dims FILE] [--vary NAME,...] [--positions a,b,c | --sweep]\n"
    "                   [--threads N] [--json | --csv]\n"
    "  corvellan tolerance [--dims FILE] [--samples N] [--seed S] [--tolerance NAME=X,...]\n"
    "                   [--length-tolerance X] [--angle-tolerance X] [--pin-clearance X]\n"
    "                   [--limit PCT] [--positions a,b,c | --sweep] [--threads N] [--json | --csv]\n"
    "  corvellan sweep --vary NAME=LO:HI:N,... [--dims FILE] [--positions a,b,c | --sweep]\n"
    "                   [--threads N] [--json | --csv]\n"
    "  corvellan sensitivity [--dims FILE] [--vary NAME,...] [--positions a,b,c | --sweep]\n"
    "                   [--threads N] [--json | --csv]\n"
    "  corvellan tolerance [--dims FILE] [--samples N] [--seed S] [--tolerance NAME=X,...]\n"
    "                   [--length-tolerance X] [--angle-tolerance X] [--pin-clearance X]\n"
    "                   [--limit PCT] [--positions a,b,c | --sweep] [--threads N]\n"
    "                   [--json | --csv]\n"
    "  corvellan sweep --vary NAME=LO:HI:N,... [--dims FILE] [--positions a,b,c | --sweep]\n"
    "                   [--threads N] [--json | --csv]\n"
    "  corvellan --version            print the version\n";

// The lines of the usage that describe `command`: the line that names it
// and the lines that continue it, indented further.
std::string usageOf(const std::string& command) {
    std::istringstream lines(kUsage);
    std::string line, out;
    bool inside = false;
    const std::string head = "  corvellan " + command + " ";
    while (std::getline(lines, line)) {
        if (line.compare(0, head.size(), head) == 0)
            inside = true;
        else if (line.compare(0, 12, "            ") != 0)
            inside = false;
        if (inside) out += line + "\n";
    }
    return out;
}

bool asksForHelp(const std::vector<std::string>& args) {
    for (const std::string& a : args)
        if (a == "--help" || a == "-h") return true;
    return false;
}

int renderCommand(std::vector<std::string> args) {
    if (args.empty()) return usageError("render needs a picture: mechanism, sine, oval, steam, ports, events, "
                          "sensitivity, tolerance or sweep");
    const std::string which = args[0];
    args.erase(args.begin());
    if (which == "mechanism") return renderMechanismCommand(args);
    if (which == "events") return renderEventsCommand(args);
    if (which == "sensitivity" || which == "tolerance" || which == "sweep")
        return renderStudyCommand(which, args);
    if (which == "sine" || which == "oval" || which == "steam" || which == "ports")
        return renderDiagramCommand(which, args);
    return usageError("unknown picture " + which);
}

// Prints a real as JSON: non-finite values have no JSON spelling, so they
// become null.
std::string jsonNumber(Real v) {
    if (!std::isfinite(v)) return "null";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
    return buf;
}

std::vector<std::pair<const char*, Real>> lapFigures(const Model& m) {
    const LapConstants& l = m.lap;
    return {{"FrontSteamOpenAt", l.FrontSteamOpenAt},
            {"FrontSteamFullAt", l.FrontSteamFullAt},
            {"FrontExhaustOpenAt", l.FrontExhaustOpenAt},
            {"RearSteamOpenAt", l.RearSteamOpenAt},
            {"RearSteamFullAt", l.RearSteamFullAt},
            {"RearExhaustOpenAt", l.RearExhaustOpenAt},
            {"RearSteamOpenShift", l.RearSteamOpenShift},
            {"FrontSteamOpenX4", l.FrontSteamOpenX4},
            {"FrontSteamLap", l.FrontSteamLap},
            {"RearSteamLap", l.RearSteamLap},
            {"FrontExhClearance", l.FrontExhClearance},
            {"RearExhClearance", l.RearExhClearance}};
}

std::vector<std::pair<const char*, Real>> valveFigures(const Model& m) {
    return {{"LinkAngle", m.LinkAngle},
            {"ValveLeverAngle", m.ValveLeverAngle},
            {"ValveCen", m.lap.ValveCen},
            {"FrontSteamOpening", m.valve.FrontSteamOpening},
            {"FrontExhaustOpening", m.valve.FrontExhaustOpening},
            {"RearSteamOpening", m.valve.RearSteamOpening},
            {"RearExhaustOpening", m.valve.RearExhaustOpening},
            {"PistonTravelPos", m.valve.PistonTravelPos}};
}

void printJson(const Model& m, std::ostream& out) {
    out << "{\"RevArmCen\": " << jsonNumber(m.gear.RevArmCen()) << ", \"Pivots\": [";
    for (int p = 0; p <= 20; ++p)
        out << (p ? ", " : "") << "[" << jsonNumber(m.pivots.X[p]) << ", "
            << jsonNumber(m.pivots.Y[p]) << "]";
    out << "]";
    for (const auto& [name, value] : valveFigures(m))
        out << ", \"" << name << "\": " << jsonNumber(value);
    for (const auto& [name, value] : lapFigures(m))
        out << ", \"" << name << "\": " << jsonNumber(value);
    out << ", \"GeometryError\": " << (m.error.GeometryError ? "true" : "false") << "}\n";
}

void printTable(const Model& m, std::ostream& out) {
    auto row = [&out](const std::string& name, Real value) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "%-22s%s\n", name.c_str(), formatFixed(value, 12, 6).c_str());
        out << buf;
    };
    out << "Dimension set: " << m.DimSetName << "\n";
    row("RevArmCen", m.gear.RevArmCen());
    out << "\nPivot          X            Y\n";
    for (int p = 0; p <= 20; ++p) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "%5d %12s %12s\n", p, formatFixed(m.pivots.X[p], 12, 6).c_str(),
                      formatFixed(m.pivots.Y[p], 12, 6).c_str());
        out << buf;
    }
    out << "\n";
    for (const auto& [name, value] : valveFigures(m)) row(name, value);
    out << "\n";
    for (const auto& [name, value] : lapFigures(m)) row(name, value);
    out << "\nGeometryError         " << (m.error.GeometryError ? "true" : "false") << "\n";
}

int solveCommand(const std::vector<std::string>& args) {
    ArgReader in(args);
    bool json = false;
    std::string dims;
    Ext angle = 0;
    Ext revArm = 0;
    bool haveAngle = false, haveRevArm = false;
    while (in.more()) {
        const std::string opt = in.next();
        if (opt == "--json") json = true;
        else if (opt == "--dims") dims = in.value(opt);
        else if (opt == "--angle") angle = in.number(opt), haveAngle = true;
        else if (opt == "--revarm") revArm = in.number(opt), haveRevArm = true;
        else in.fail("unknown option " + opt);
    }
    if (!in.ok()) return usageError(in.error());
    Model m;
    std::string error;
    if (!loadGear(m, dims, &error)) return inputError(error);
    // Mid gear unless a setting is given; the file's own reverse-arm setting
    // is recomputed on open anyway.
    if (haveAngle) m.gear.DriverAngle = clampToReal(angle);
    if (haveRevArm) m.gear.RevArmPos = clampToReal(revArm);
    solve(m);
    computeValve(m);
    if (json) printJson(m, std::cout);
    else printTable(m, std::cout);
    return 0;
}

} // namespace

int runCommandLine(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return solveCommand(args); // the nominal gear, solved
    if (args[0] == "--help" || args[0] == "-h") {
        std::cout << kUsage;
        return 0;
    }
    if (args[0] == "--version") {
        std::cout << "corvellan " << CORVELLAN_VERSION << "\n";
        return 0;
    }
    const std::string command = args[0];
    args.erase(args.begin());
    // Every command prints its own usage when asked.
    if (asksForHelp(args) && !usageOf(command).empty()) {
        std::cout << "usage:\n" << usageOf(command);
        return 0;
    }
    if (command == "solve") return solveCommand(args);
    if (command == "render") return renderCommand(args);
    if (command == "table") return tableCommand(args);
    if (command == "events") return eventsCommand(args);
    if (command == "compare") return compareCommand(args);
    if (command == "balance") return balanceCommand(args);
    if (command == "sensitivity") return sensitivityCommand(args);
    if (command == "tolerance") return toleranceCommand(args);
    if (command == "sweep") return sweepCommand(args);
    if (command == "sensitivity") return sensitivityCommand(args);
    if (command == "tolerance") return toleranceCommand(args);
    if (command == "sweep") return sweepCommand(args);
    return usageError("unknown command " + command);
}

} // namespace corvellan
