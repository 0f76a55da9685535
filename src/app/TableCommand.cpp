#include "app/TableCommand.h"

#include "app/CliSupport.h"
#include "model/PivotDataTable.h"

#include <cmath>
#include <cstdio>

#include "model/LocalTime.h"

namespace corvellan {

namespace {

struct TableOptions {
    std::string dims;
    Ext revArm = 0;
    bool haveRevArm = false;
    Ext step = 10;
    std::string pivots;
    bool csv = false;
};

bool readOptions(const std::vector<std::string>& args, TableOptions& o, std::string* error) {
    ArgReader in(args);
    while (in.more()) {
        const std::string opt = in.next();
        if (opt == "--csv")
            o.csv = true;
        else if (opt == "--dims")
            o.dims = in.value(opt);
        else if (opt == "--revarm")
            o.revArm = in.number(opt), o.haveRevArm = true;
        else if (opt == "--step")
            o.step = in.number(opt);
        else if (opt == "--pivots")
            o.pivots = in.value(opt);
        else
            in.fail("unknown option " + opt);
    }
    // The steps the step-angle dialog allows; smaller ones would run for ever.
    if (in.ok() && !(o.step >= 0.01L && o.step <= 45))
        in.fail("--step must lie between 0.01 and 45");
    *error = in.error();
    return in.ok();
}

} // namespace

int tableCommand(const std::vector<std::string>& args) {
    TableOptions o;
    std::string error;
    if (!readOptions(args, o, &error)) return usageError(error);
    Model m;
    if (!loadGear(m, o.dims, &error)) return inputError(error);
    if (!o.pivots.empty() && !readPivotSlots(o.pivots, m, &error)) return usageError(error);
    if (o.haveRevArm) m.gear.RevArmPos = clampToReal(o.revArm);
    m.gear.StepAngleSetting = clampToReal(o.step);
    std::string text;
    if (o.csv) {
        text = buildPivotDataCsv(m);
    } else {
        std::string date, time;
        localDateTime(date, time);
        text = buildPivotDataTable(m, date, time);
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

} // namespace corvellan
