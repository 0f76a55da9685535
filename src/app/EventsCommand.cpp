// corvellan events: the valve events of the diagram positions, of a list of
// settings, or of the 21-setting sweep, as a readable table, JSON or CSV.
#include "app/Commands.h"

#include "analysis/ValveEvents.h"
#include "analysis/ValveEventsText.h"
#include "app/CliSupport.h"
#include "model/Model.h"

#include <iostream>
#include <memory>

namespace corvellan {

namespace {

struct EventsOptions {
    std::string dims;
    ReportOptions report;
};

int runEvents(const EventsOptions& o) {
    Model m;
    std::string error;
    if (!loadGear(m, o.dims, &error)) return inputError(error);

    std::vector<Real> settings;
    if (o.report.sweep)
        settings = sweepSettings(m);
    else if (!listedSettings(m, o.report, "the dimension set", settings, &error))
        return inputError(error);

    const EventsReport report = computeEvents(m, settings);
    switch (o.report.format()) {
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

} // namespace

void addEventsCommand(CommandLine& cli) {
    auto o = std::make_shared<EventsOptions>();
    CLI::App* c = cli.command("events",
                              "Prints the valve events of each reverse-arm setting: lead, "
                              "admission, cut-off, release and compression of each end.",
                              [o] { return runEvents(*o); });
    addDimsOption(c, o->dims);
    addReportOptions(c, o->report, "the gear");
    c->footer("Each port-edge crossing is bracketed between one-degree samples and refined by "
              "bisection. Angles are driver angles in degrees (0 at front dead centre); "
              "positions are percent of the stroke from that end's dead centre; lead, valve "
              "travel and openings are in the gear's length unit. Figures that do not exist (an "
              "edge that does not open and close exactly once) are null in JSON and empty in "
              "CSV.");
}

} // namespace corvellan
