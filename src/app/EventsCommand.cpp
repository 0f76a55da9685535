#include "app/EventsCommand.h"

#include "app/CliSupport.h"
#include "model/Model.h"
#include "analysis/ValveEvents.h"
#include "analysis/ValveEventsText.h"

#include <iostream>

namespace corvellan {

namespace {

struct EventsOptions {
    std::string dims;
    ReportOptions report;
};

bool readOptions(const std::vector<std::string>& args, EventsOptions& o, std::string* error) {
    ArgReader in(args);
    while (in.more()) {
        const std::string opt = in.next();
        if (opt == "--dims")
            o.dims = in.value(opt);
        else if (!readReportOption(in, opt, o.report))
            in.fail("unknown option " + opt);
    }
    checkReportOptions(in, o.report);
    *error = in.error();
    return in.ok();
}

} // namespace

int eventsCommand(const std::vector<std::string>& args) {
    EventsOptions o;
    std::string error;
    if (!readOptions(args, o, &error)) return usageError(error);
    Model m;
    if (!loadGear(m, o.dims, &error)) return inputError(error);

    std::vector<Real> settings;
    if (o.report.sweep)
        settings = sweepSettings(m);
    else if (!listedSettings(m, o.report, "the dimension set", settings, &error))
        return inputError(error);

    const EventsReport report = computeEvents(m, settings);
    switch (o.report.format) {
    case ReportFormat::Json:
        writeEventsJson(report, std::cout);
        break;
    case ReportFormat::Csv:
        writeEventsCsv(report, std::cout);
        break;
    case ReportFormat::Text:
        std::cout << "Dimension set: " << m.DimSetName << "\n";
        writeEventsText(report, std::cout);
        break;
    }
    return 0;
}

} // namespace corvellan
