#include "app/CompareCommand.h"

#include "app/CliSupport.h"
#include "model/GearComparison.h"
#include "model/GearComparisonText.h"
#include "model/Model.h"

#include <iostream>

namespace corvellan {

namespace {

enum class Output { Text, Json, Csv };

struct CompareOptions {
    std::vector<std::string> files; // A, then B
    std::vector<Ext> positions;
    bool havePositions = false;
    bool sweep = false;
    Output output = Output::Text;
};

bool readOptions(const std::vector<std::string>& args, CompareOptions& o, std::string* error) {
    ArgReader in(args);
    bool formatChosen = false;
    auto chooseFormat = [&](Output format) {
        if (formatChosen) in.fail("choose one of --json and --csv");
        o.output = format;
        formatChosen = true;
    };
    while (in.more()) {
        const std::string opt = in.next();
        if (opt == "--positions") {
            in.numbers(opt, o.positions);
            o.havePositions = true;
        } else if (opt == "--sweep")
            o.sweep = true;
        else if (opt == "--json")
            chooseFormat(Output::Json);
        else if (opt == "--csv")
            chooseFormat(Output::Csv);
        else if (opt.size() > 1 && opt[0] == '-')
            in.fail("unknown option " + opt);
        else if (o.files.size() < 2)
            o.files.push_back(opt);
        else
            in.fail("compare takes two dimension files, not a third: " + opt);
    }
    if (in.ok() && o.files.size() < 2) in.fail("compare needs two dimension files, A and B");
    if (in.ok() && o.havePositions && o.sweep) in.fail("choose one of --positions and --sweep");
    *error = in.error();
    return in.ok();
}

} // namespace

int compareCommand(const std::vector<std::string>& args) {
    CompareOptions o;
    std::string error;
    if (!readOptions(args, o, &error)) return usageError(error);
    Model a, b;
    initialiseModel(a);
    initialiseModel(b);
    if (!loadDimensions(a, o.files[0], &error)) return inputError(error);
    if (!loadDimensions(b, o.files[1], &error)) return inputError(error);

    GearComparison comparison;
    if (o.sweep) {
        comparison = compareSweeps(a, b);
    } else {
        std::vector<Real> settings;
        if (o.havePositions) {
            for (Ext p : o.positions)
                settings.push_back(clampSetting(a, p));
        } else {
            settings = diagramPositionSettings(a);
            if (settings.empty())
                return inputError("gear A has no diagram positions; give --positions or --sweep");
        }
        comparison = compareGears(a, b, settings);
    }
    switch (o.output) {
    case Output::Json:
        writeComparisonJson(comparison, std::cout);
        break;
    case Output::Csv:
        writeComparisonCsv(comparison, std::cout);
        break;
    case Output::Text:
        writeComparisonText(comparison, std::cout);
        break;
    }
    return 0;
}

} // namespace corvellan
