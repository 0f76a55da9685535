#pragma once
// The commands of the command line, each declared by its own file (the
// pattern is described at the top of CliSupport.h). Cli.cpp adds them in the
// order `corvellan --help` lists them.

namespace corvellan {

class CommandLine;

void addSolveCommand(CommandLine& cli);
void addRenderMechanismCommand(CommandLine& cli);
void addRenderDiagramCommands(CommandLine& cli); // sine, oval, steam, ports
void addRenderEventsCommand(CommandLine& cli);
void addRenderCutOffsCommand(CommandLine& cli);
void addTableCommand(CommandLine& cli);
void addEventsCommand(CommandLine& cli);
void addCompareCommand(CommandLine& cli);
void addBalanceCommand(CommandLine& cli);
void addDesignSpaceCommands(CommandLine& cli); // sensitivity, tolerance, sweep
void addRenderStudyCommands(CommandLine& cli);  // their pictures
void addIndicatorCommand(CommandLine& cli);
void addPerformanceCommand(CommandLine& cli);
void addRenderSteamCommands(CommandLine& cli);  // indicator, performance

} // namespace corvellan
