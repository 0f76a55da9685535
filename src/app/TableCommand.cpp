#include "app/TableCommand.h"

#include "app/CliSupport.h"
#include "model/PivotDataTable.h"
#include "model/PivotPick.h"

#include <cmath>
#include <cstdio>
#include <sstream>

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

// "p1,...,p6": up to six pivot numbers 0 to 26 for slots 1 to 6; slots left
// out read pivot 0, as an unbound slot of the window does.
bool readPivots(const std::string& text, Model& m, std::string* error) {
    std::stringstream in(text);
    std::string item;
    int slot = 0;
    while (std::getline(in, item, ',')) {
        bool ok = false;
        const Ext v = parseReal(item, &ok);
        if (!ok || v < 0 || v >= kPivotCount || v != std::floor(v) || ++slot > kPivotSlots) {
            *error = "--pivots needs up to six pivot numbers 0 to 26, not \"" + text + "\"";
            return false;
        }
        m.pivotData.slotPivot[slot] = static_cast<Real>(v);
    }
    return true;
}

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
    initialiseModel(m);
    if (!o.dims.empty() && !loadDimensions(m, o.dims, &error)) return inputError(error);
    if (!o.pivots.empty() && !readPivots(o.pivots, m, &error)) return usageError(error);
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
