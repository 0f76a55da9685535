#include "app/DesignSpaceCommands.h"

#include "analysis/Balance.h"
#include "analysis/DesignSpaceText.h"
#include "analysis/Sensitivity.h"
#include "app/Commands.h"
#include "app/DesignSpaceJson.h"
#include "model/CsvFile.h"

#include <charconv>
#include <cmath>
#include <iostream>
#include <new>
#include <set>

namespace corvellan {

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> items;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        items.push_back(text.substr(start, at == std::string::npos ? at : at - start));
        if (at == std::string::npos) return items;
        start = at + 1;
    }
}

// A whole number of digits only.
template <typename Int> bool parseWhole(const std::string& text, Int& out) {
    if (text.empty() || text[0] == '+') return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

[[noreturn]] void refuse(const std::string& why) {
    throw CLI::ValidationError(why);
}

Ext realNumber(const std::string& option, const std::string& text) {
    bool good = false;
    const Ext v = parseReal(text, &good);
    if (!good || !std::isfinite(v)) refuse(option + " needs a number, not \"" + text + "\"");
    return v;
}

// A number option held as a double, with what holds without it.
void addRealOption(CLI::App* c, const std::string& name, double& value, const std::string& unit,
                   const std::string& help) {
    c->add_option_function<std::string>(
         name,
         [&value, name](const std::string& given) {
             value = static_cast<double>(realNumber(name, given));
         },
         help)
        ->type_name(unit)
        ->default_str(shortestText(value));
}

const DimensionInfo* namedDimension(const std::string& name, std::string* error) {
    const DimensionInfo* d = dimensionByName(name);
    if (!d) *error = "unknown dimension " + name;
    return d;
}

void writeCsv(const TextRow& header, const std::vector<TextRow>& rows, std::ostream& out) {
    std::vector<CsvRow> all{header};
    all.insert(all.end(), rows.begin(), rows.end());
    out << csvText(all);
}

} // namespace

void addStudyCommonOptions(CLI::App* c, StudyCommonOptions& o, bool settings) {
    addDimsOption(c, o.dims);
    c->add_option_function<std::string>(
         "--threads",
         [&o](const std::string& given) {
             long long n = 0;
             if (!parseWhole(given, n) || n < 1 || n > kMaxThreads)
                 refuse("--threads needs a count from 1 to " + std::to_string(kMaxThreads) +
                        ", not \"" + given + "\"");
             o.threads = static_cast<int>(n);
         },
         "the threads to spread the designs over; the results are the same bit for bit "
         "whatever the count.")
        ->type_name("N")
        ->default_str("every core");
    if (settings) addReportOptions(c, o.report, "the gear");
}

void addSensitivityOptions(CLI::App* c, SensitivityCommandOptions& o, bool settings) {
    addStudyCommonOptions(c, o.common, settings);
    addWordListOption(c, "--vary", o.vary, "NAME,...",
                      "the dimensions whose rates are found, by their code names.", "all 36",
                      allDimensions().size());
}

void addToleranceOptions(CLI::App* c, ToleranceCommandOptions& o, bool settings) {
    addStudyCommonOptions(c, o.common, settings);
    c->add_option_function<std::string>(
         "--samples",
         [&o](const std::string& given) {
             if (!parseWhole(given, o.samples) || o.samples < 1 || o.samples > kMaxSamples)
                 refuse("--samples needs a count from 1 to 10000000, not \"" + given + "\"");
         },
         "the gears drawn at random within the tolerances.")
        ->type_name("N")
        ->default_str(std::to_string(kDefaultSamples));
    c->add_option_function<std::string>(
         "--seed",
         [&o](const std::string& given) {
             if (!parseWhole(given, o.seed))
                 refuse("--seed needs a whole number from 0 to 18446744073709551615, not \"" +
                        given + "\"");
         },
         "the seed of the random numbers: the same seed draws the same gears.")
        ->type_name("S")
        ->default_str("1");
    c->add_option_function<std::string>(
         "--tolerance",
         [&o](const std::string& given) {
             o.tolerances.clear();
             for (const std::string& item : split(given, ',')) {
                 const size_t eq = item.find('=');
                 if (eq == std::string::npos || eq == 0)
                     refuse("--tolerance needs NAME=X, not \"" + item + "\"");
                 o.tolerances.emplace_back(item.substr(0, eq),
                                           realNumber("--tolerance", item.substr(eq + 1)));
             }
             if (o.tolerances.size() > allDimensions().size())
                 refuse("--tolerance names more dimensions than there are");
         },
         "a tolerance of its own for each named dimension (+/- X in its unit), over the two "
         "below.")
        ->type_name("NAME=X,...")
        ->default_str("the length or angle tolerance");
    addRealOption(c, "--length-tolerance", o.lengthTolerance, "X",
                  "+/- this on every length, in the gear's length unit.");
    addRealOption(c, "--angle-tolerance", o.angleTolerance, "DEG",
                  "+/- this on the eccentric crank angle, in degrees.");
    addRealOption(c, "--pin-clearance", o.pinClearance, "X",
                  "the radial clearance of every pin joint, in the gear's length unit: the two "
                  "members' joint centres stand apart by up to this, in any direction.");
    addRealOption(c, "--limit", o.cutOffLimit, "PCT",
                  "the front-minus-rear cut-off difference, in percent of stroke, beyond which a "
                  "sample counts as over the limit.");
}

void addSweepOptions(CLI::App* c, SweepCommandOptions& o, bool settings) {
    addStudyCommonOptions(c, o.common, settings);
    c->add_option_function<std::string>(
         "--vary",
         [&o](const std::string& given) {
             o.vary.clear();
             for (const std::string& item : split(given, ',')) {
                 const size_t eq = item.find('=');
                 const std::vector<std::string> parts =
                     split(eq == std::string::npos ? std::string() : item.substr(eq + 1), ':');
                 SweepCommandOptions::Axis a;
                 bool okLow = false, okHigh = false;
                 if (parts.size() == 3) {
                     a.low = parseReal(parts[0], &okLow);
                     a.high = parseReal(parts[1], &okHigh);
                 }
                 if (eq == std::string::npos || parts.size() != 3 || !okLow || !okHigh ||
                     !std::isfinite(a.low) || !std::isfinite(a.high) ||
                     !parseWhole(parts[2], a.points))
                     refuse("--vary needs NAME=LO:HI:N, not \"" + item + "\"");
                 a.name = item.substr(0, eq);
                 o.vary.push_back(a);
             }
         },
         "the grid: each named dimension from LO to HI in N points (2 to 1000 an axis, one to "
         "three axes, 1,000,000 points in all).")
        ->type_name("NAME=LO:HI:N,...")
        ->required();
}

bool studyGear(const StudyCommonOptions& o, Model& m, std::vector<Ext>& offsets, int& threads,
               std::string* error) {
    if (o.report.positions && o.report.positions->size() > kMaxStudySettings) {
        *error = "--positions takes at most " + std::to_string(kMaxStudySettings) + " settings";
        return false;
    }
    if (!loadGear(m, o.dims, error)) return false;
    std::vector<Real> settings;
    if (o.report.sweep)
        settings = sweepSettings(m);
    else if (!listedSettings(m, o.report, "the dimension set", settings, error))
        return false;
    offsets = settingOffsets(m, settings);
    threads = o.threads > 0 ? o.threads : defaultThreadCount();
    return true;
}

bool toleranceStudyOptions(const ToleranceCommandOptions& o, const Model& m, ToleranceOptions& out,
                           std::string* error) {
    out.samples = o.samples;
    out.seed = o.seed;
    out.pinClearance = o.pinClearance;
    out.cutOffLimit = o.cutOffLimit;
    out.tolerances = defaultTolerances();
    const auto& dims = allDimensions();
    for (size_t i = 0; i < dims.size(); ++i) {
        if (out.tolerances[i] == 0) continue; // the reverse-arm setting distances
        out.tolerances[i] = isAngleDimension(dims[i].code) ? o.angleTolerance : o.lengthTolerance;
    }
    std::set<std::string> named;
    for (const auto& [name, value] : o.tolerances) {
        const DimensionInfo* d = namedDimension(name, error);
        if (!d) return false;
        if (!named.insert(name).second) {
            *error = name + " is given two tolerances";
            return false;
        }
        out.tolerances[dimensionIndex(d->code)] = value;
    }
    *error = toleranceError(m, out);
    return error->empty();
}

bool sweepStudyOptions(const SweepCommandOptions& o, SweepOptions& out, std::string* error) {
    out.axes.clear();
    for (const SweepCommandOptions::Axis& a : o.vary) {
        const DimensionInfo* d = namedDimension(a.name, error);
        if (!d) return false;
        SweepAxis axis;
        axis.code = d->code;
        axis.low = a.low;
        axis.high = a.high;
        // Counts beyond an int are as much too many as 1001.
        axis.points = static_cast<int>(std::clamp<long long>(a.points, -1, kMaxAxisPoints + 1));
        out.axes.push_back(axis);
    }
    *error = sweepError(out);
    return error->empty();
}

int runSensitivity(const SensitivityCommandOptions& o, std::ostream& out, std::ostream& err) {
    Model m;
    SensitivityOptions so;
    std::string error;
    if (!studyGear(o.common, m, so.offsets, so.threads, &error)) {
        err << "corvellan: " << error << "\n";
        return 2;
    }
    std::set<int> seen;
    for (const std::string& name : o.vary.value_or(std::vector<std::string>{})) {
        const DimensionInfo* d = namedDimension(name, &error);
        if (!d || !seen.insert(d->code).second) {
            err << "corvellan: " << (d ? name + " is named twice" : error) << "\n";
            return 2;
        }
        so.codes.push_back(d->code);
    }
    const SensitivityReport r = computeSensitivity(m, so);
    switch (o.common.report.format()) {
    case ReportFormat::Json:
        out << sensitivityJson(r).dump() << "\n";
        break;
    case ReportFormat::Csv:
        writeCsv(sensitivityHeader(), sensitivityRows(r, false), out);
        break;
    case ReportFormat::Text:
        out << "Dimension set: " << m.DimSetName << "\n";
        writeSensitivityText(m, r, out);
        break;
    }
    return 0;
}

int runTolerance(const ToleranceCommandOptions& o, std::ostream& out, std::ostream& err) {
    Model m;
    ToleranceOptions to;
    std::string error;
    if (!studyGear(o.common, m, to.offsets, to.threads, &error) ||
        !toleranceStudyOptions(o, m, to, &error)) {
        err << "corvellan: " << error << "\n";
        return 2;
    }
    const ToleranceReport r = computeTolerance(m, to);
    switch (o.common.report.format()) {
    case ReportFormat::Json:
        out << toleranceJson(r).dump() << "\n";
        break;
    case ReportFormat::Csv:
        writeCsv(toleranceHeader(), toleranceRows(r, false), out);
        break;
    case ReportFormat::Text:
        out << "Dimension set: " << m.DimSetName << "\n";
        writeToleranceText(r, out);
        break;
    }
    return 0;
}

int runSweep(const SweepCommandOptions& o, std::ostream& out, std::ostream& err) {
    Model m;
    SweepOptions so;
    std::string error;
    if (!studyGear(o.common, m, so.offsets, so.threads, &error) ||
        !sweepStudyOptions(o, so, &error)) {
        err << "corvellan: " << error << "\n";
        return 2;
    }
    const ReportFormat format = o.common.report.format();
    if (format == ReportFormat::Json) {
        SweepJsonWriter json(so, out);
        runSweep(m, so, [&json](const std::vector<SweepPoint>& block) { json.write(block); });
        json.finish();
        return 0;
    }
    const TextRow header = sweepHeader(so);
    if (format == ReportFormat::Csv) out << csvText({header});
    bool first = true;
    std::vector<TextRow> rows;
    runSweep(m, so, [&](const std::vector<SweepPoint>& block) {
        rows.clear();
        appendSweepRows(so, block, format == ReportFormat::Text, rows);
        if (format == ReportFormat::Csv) {
            out << csvText(rows);
        } else {
            // Each block in columns of its own: the header once, above the
            // first.
            std::ostringstream text;
            writeColumns(header, rows, text);
            const std::string s = text.str();
            out << (first ? s : s.substr(s.find('\n') + 1));
        }
        first = false;
    });
    return 0;
}

namespace {

// A study larger than the memory ends with one line, like any other
// failure, rather than with the C++ run time's abort.
template <typename Run> int guarded(Run run) {
    try {
        return run();
    } catch (const std::bad_alloc&) {
        return inputError("there is not enough memory for this study");
    }
}

} // namespace

void addDesignSpaceCommands(CommandLine& cli) {
    auto sens = std::make_shared<SensitivityCommandOptions>();
    CLI::App* c = cli.command(
        "sensitivity",
        "The rate of change of every event figure per unit of each dimension, by central "
        "differences.",
        [sens] { return guarded([&] { return runSensitivity(*sens, std::cout, std::cerr); }); });
    addSensitivityOptions(c, *sens, true);

    auto tol = std::make_shared<ToleranceCommandOptions>();
    c = cli.command(
        "tolerance",
        "What drawing tolerances and worn pins do to the events: a seeded "
        "Monte-Carlo study.",
        [tol] { return guarded([&] { return runTolerance(*tol, std::cout, std::cerr); }); });
    addToleranceOptions(c, *tol, true);

    auto sweep = std::make_shared<SweepCommandOptions>();
    c = cli.command("sweep", "The events over a grid of one, two or three dimensions.", [sweep] {
        return guarded([&] { return runSweep(*sweep, std::cout, std::cerr); });
    });
    addSweepOptions(c, *sweep, true);
}

} // namespace corvellan
