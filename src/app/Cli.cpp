#include "app/Cli.h"

#include "app/CliSupport.h"
#include "app/Commands.h"

#include <string>
#include <vector>

namespace corvellan {

int runCommandLine(int argc, char** argv) {
    CommandLine cli;
    addSolveCommand(cli);
    addRenderMechanismCommand(cli);
    addRenderDiagramCommands(cli);
    addRenderEventsCommand(cli);
    addTableCommand(cli);
    addEventsCommand(cli);
    addCompareCommand(cli);
    addBalanceCommand(cli);
    addIndicatorCommand(cli);
    addPerformanceCommand(cli);
    addDesignSpaceCommands(cli);
    addRenderStudyCommands(cli);
    return cli.run(std::vector<std::string>(argv + 1, argv + argc));
}

} // namespace corvellan
