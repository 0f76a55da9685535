// corvellan table: the pivot data table of the window, or CSV.
#include "app/Commands.h"

#include "app/CliSupport.h"
#include "model/LocalTime.h"
#include "model/PivotDataTable.h"

#include <iostream>
#include <memory>

namespace corvellan {

namespace {

struct TableOptions {
    std::string dims;
    std::optional<Ext> revArm;
    std::optional<Ext> step;
    std::optional<std::vector<int>> pivots;
    bool csv = false;
};

int runTable(const TableOptions& o) {
    Model m;
    std::string error;
    if (!loadGear(m, o.dims, &error)) return inputError(error);
    if (o.pivots) applyPivotSlots(*o.pivots, m);
    if (o.revArm) m.gear.RevArmPos = storedValue("--revarm", *o.revArm);
    m.gear.StepAngleSetting = clampToReal(o.step.value_or(10));
    std::string text;
    if (o.csv) {
        text = buildPivotDataCsv(m);
    } else {
        std::string date, time;
        localDateTime(date, time);
        text = buildPivotDataTable(m, date, time);
    }
    std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
    return 0;
}

} // namespace

void addTableCommand(CommandLine& cli) {
    auto o = std::make_shared<TableOptions>();
    CLI::App* c = cli.command("table",
                              "Prints the pivot data table: the positions of up to six pivots "
                              "over one turn of the driver.",
                              [o] { return runTable(*o); });
    addDimsOption(c, o->dims);
    addNumberOption(c, "--revarm", o->revArm, "X",
                    "reverse-arm setting (RevArmPos) in the gear's length unit: mid gear is "
                    "RevArmCen, forward lies below it, reverse above.",
                    "mid gear");
    // The steps the step-angle dialog allows; smaller ones would run for ever.
    addNumberOption(c, "--step", o->step, "DEG", "driver angle between rows, in degrees.", "10",
                    NumberRange{0.01L, 45});
    addPivotsOption(c, o->pivots,
                    "the pivots of slots 1 to 6, numbers 0 to 26 as the window's pivot list "
                    "names them; slots left out show pivot 0.",
                    "every slot shows pivot 0");
    addFlag(c, "--csv", o->csv,
            "print CSV (angle, then each slot's vertical and horizontal position) instead of "
            "the window's text.");
}

} // namespace corvellan
