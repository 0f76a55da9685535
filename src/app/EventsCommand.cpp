#include "app/EventsCommand.h"

#include "app/CliSupport.h"
#include "model/Model.h"
#include "model/ValveEvents.h"
#include "model/ValveEventsText.h"

#include <iostream>

namespace corvellan {

namespace {

enum class Output { Text, Json, Csv };

struct EventsOptions {
    std::string dims;
    std::vector<Ext> positions;
    bool havePositions = false;
    bool sweep = false;
    Output output = Output::Text;
};

bool readOptions(const std::vector<std::string>& args, EventsOptions& o, std::string* error) {
    ArgReader in(args);
    bool formatChosen = false;
    auto chooseFormat = [&](Output format) {
        if (formatChosen) in.fail("choose one of --json and --csv");
        o.output = format;
        formatChosen = true;
    };
    while (in.more()) {
        const std::string opt = in.next();
        if (opt == "--dims")
            o.dims = in.value(opt);
        else if (opt == "--positions") {
            in.numbers(opt, o.positions);
            o.havePositions = true;
        } else if (opt == "--sweep")
            o.sweep = true;
        else if (opt == "--json")
            chooseFormat(Output::Json);
        else if (opt == "--csv")
            chooseFormat(Output::Csv);
        else
            in.fail("unknown option " + opt);
    }
    if (in.ok() && o.havePositions && o.sweep) in.fail("choose one of --positions and --sweep");
    *error = in.error();
    return in.ok();
}

} // namespace

int eventsCommand(const std::vector<std::string>& args) {
    EventsOptions o;
    std::string error;
    if (!readOptions(args, o, &error)) return usageError(error);
    Model m;
    initialiseModel(m);
    if (!o.dims.empty() && !loadDimensions(m, o.dims, &error)) return inputError(error);

    std::vector<Real> settings;
    if (o.sweep) {
        settings = sweepSettings(m);
    } else if (o.havePositions) {
        for (Ext p : o.positions)
            settings.push_back(clampSetting(m, p));
    } else {
        settings = diagramPositionSettings(m);
        if (settings.empty())
            return inputError(
                "the dimension set has no diagram positions; give --positions or --sweep");
    }

    const EventsReport report = computeEvents(m, settings);
    switch (o.output) {
    case Output::Json:
        writeEventsJson(report, std::cout);
        break;
    case Output::Csv:
        writeEventsCsv(report, std::cout);
        break;
    case Output::Text:
        std::cout << "Dimension set: " << m.DimSetName << "\n";
        writeEventsText(report, std::cout);
        break;
    }
    return 0;
}

} // namespace corvellan
