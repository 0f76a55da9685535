#include "app/CompareCommand.h"

#include "app/CliSupport.h"
#include "analysis/GearComparison.h"
#include "analysis/GearComparisonText.h"
#include "model/Model.h"

#include <iostream>

namespace corvellan {

namespace {

struct CompareOptions {
    std::vector<std::string> files; // A, then B
    ReportOptions report;
};

bool readOptions(const std::vector<std::string>& args, CompareOptions& o, std::string* error) {
    ArgReader in(args);
    while (in.more()) {
        const std::string opt = in.next();
        if (readReportOption(in, opt, o.report)) continue;
        if (opt.size() > 1 && opt[0] == '-')
            in.fail("unknown option " + opt);
        else if (o.files.size() < 2)
            o.files.push_back(opt);
        else
            in.fail("compare takes two dimension files, not a third: " + opt);
    }
    if (in.ok() && o.files.size() < 2) in.fail("compare needs two dimension files, A and B");
    checkReportOptions(in, o.report);
    *error = in.error();
    return in.ok();
}

} // namespace

int compareCommand(const std::vector<std::string>& args) {
    CompareOptions o;
    std::string error;
    if (!readOptions(args, o, &error)) return usageError(error);
    // Both names are given: an empty one is a file that cannot be read.
    Model a = nominalModel(), b = nominalModel();
    if (!loadDimensions(a, o.files[0], &error) || !loadDimensions(b, o.files[1], &error))
        return inputError(error);

    GearComparison comparison;
    std::vector<Real> settings;
    if (o.report.sweep)
        comparison = compareSweeps(a, b);
    else if (listedSettings(a, o.report, "gear A", settings, &error))
        comparison = compareGears(a, b, settings);
    else
        return inputError(error);

    switch (o.report.format) {
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

} // namespace corvellan
