// corvellan compare A B: the valve events of two gears side by side at
// matching settings, with B - A, and the dimensions whose values differ, as a
// readable table, JSON or CSV.
#include "app/Commands.h"

#include "analysis/GearComparison.h"
#include "analysis/GearComparisonText.h"
#include "app/CliSupport.h"
#include "model/Model.h"

#include <iostream>
#include <memory>

namespace corvellan {

namespace {

struct CompareOptions {
    std::string a, b;
    ReportOptions report;
};

int runCompare(const CompareOptions& o) {
    std::string error;
    Model a = nominalModel(), b = nominalModel();
    if (!loadDimensions(a, o.a, &error) || !loadDimensions(b, o.b, &error))
        return inputError(error);

    GearComparison comparison;
    std::vector<Real> settings;
    if (o.report.sweep)
        comparison = compareSweeps(a, b);
    else if (listedSettings(a, o.report, "gear A", settings, &error))
        comparison = compareGears(a, b, settings);
    else
        return inputError(error);

    switch (o.report.format()) {
    case ReportFormat::Json:
        writeComparisonJson(comparison, std::cout);
        break;
    case ReportFormat::Csv:
        writeComparisonCsv(comparison, std::cout);
        break;
    case ReportFormat::Text:
        writeComparisonText(comparison, std::cout);
        break;
    }
    return 0;
}

} // namespace

void addCompareCommand(CommandLine& cli) {
    auto o = std::make_shared<CompareOptions>();
    CLI::App* c = cli.command("compare",
                              "Sets the valve events of two gears side by side, with B - A, and "
                              "lists the dimensions that differ.",
                              [o] { return runCompare(*o); });
    addGearArgument(c, "A", o->a, "gear A: a dimension file (.dco, or .oca).");
    addGearArgument(c, "B", o->b, "gear B, set beside A.");
    addReportOptions(c, o->report, "gear A");
    c->footer("Each of A's settings is taken on B at the same distance from B's own mid gear, "
              "within B's travel; with --sweep each gear has its own 21 settings. The JSON holds "
              "{\"A\": ..., \"B\": ..., \"Dimensions\": [...]}, A and B being what events --json "
              "prints.");
}

} // namespace corvellan
