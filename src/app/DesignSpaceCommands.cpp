#include "app/DesignSpaceCommands.h"

#include "analysis/Balance.h"
#include "analysis/DesignSpaceText.h"
#include "analysis/Sensitivity.h"
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

// A whole number of digits only (a sign where `negative` allows it).
template <typename Int> bool parseWhole(const std::string& text, Int& out) {
    if (text.empty() || text[0] == '+') return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

long long wholeNumber(ArgReader& in, const std::string& option) {
    const std::string text = in.value(option);
    long long v = 0;
    if (in.ok() && !parseWhole(text, v))
        in.fail(option + " needs a whole number, not \"" + text + "\"");
    return v;
}

Ext realNumber(ArgReader& in, const std::string& option, const std::string& text) {
    bool good = false;
    const Ext v = parseReal(text, &good);
    if (!good || !std::isfinite(v)) in.fail(option + " needs a number, not \"" + text + "\"");
    return good ? v : 0;
}

// The options all three commands share; false when `opt` is none of them.
bool readCommonOption(ArgReader& in, const std::string& opt, StudyCommonOptions& o) {
    if (opt == "--dims") {
        o.dims = in.value(opt);
        return true;
    }
    if (opt == "--threads") {
        const long long n = wholeNumber(in, opt);
        if (in.ok() && (n < 1 || n > kMaxThreads))
            in.fail("--threads needs a count from 1 to " + std::to_string(kMaxThreads));
        o.threads = static_cast<int>(n);
        return true;
    }
    return readReportOption(in, opt, o.report);
}

void finishCommon(ArgReader& in, const StudyCommonOptions& o) {
    checkReportOptions(in, o.report);
    if (in.ok() && o.report.positions.size() > kMaxStudySettings)
        in.fail("--positions takes at most " + std::to_string(kMaxStudySettings) + " settings");
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

bool readSensitivityOptions(const std::vector<std::string>& args, SensitivityCommandOptions& o,
                            std::string* error) {
    ArgReader in(args);
    while (in.more()) {
        const std::string opt = in.next();
        if (opt == "--vary")
            o.vary = split(in.value(opt), ',');
        else if (!readCommonOption(in, opt, o.common))
            in.fail("unknown option " + opt);
    }
    finishCommon(in, o.common);
    *error = in.error();
    return in.ok();
}

bool readToleranceOptions(const std::vector<std::string>& args, ToleranceCommandOptions& o,
                          std::string* error) {
    ArgReader in(args);
    while (in.more()) {
        const std::string opt = in.next();
        if (opt == "--samples") {
            o.samples = wholeNumber(in, opt);
            if (in.ok() && (o.samples < 1 || o.samples > kMaxSamples))
                in.fail("--samples needs a count from 1 to 10000000");
        } else if (opt == "--seed") {
            const std::string text = in.value(opt);
            if (in.ok() && !parseWhole(text, o.seed))
                in.fail("--seed needs a whole number from 0 to 18446744073709551615, not \"" +
                        text + "\"");
        } else if (opt == "--tolerance") {
            for (const std::string& item : split(in.value(opt), ',')) {
                const size_t eq = item.find('=');
                if (eq == std::string::npos) {
                    in.fail("--tolerance needs NAME=X, not \"" + item + "\"");
                    break;
                }
                const Ext v = realNumber(in, opt, item.substr(eq + 1));
                o.tolerances.emplace_back(item.substr(0, eq), v);
            }
        } else if (opt == "--length-tolerance") {
            o.lengthTolerance = static_cast<double>(in.number(opt));
        } else if (opt == "--angle-tolerance") {
            o.angleTolerance = static_cast<double>(in.number(opt));
        } else if (opt == "--pin-clearance") {
            o.pinClearance = static_cast<double>(in.number(opt));
        } else if (opt == "--limit") {
            o.cutOffLimit = static_cast<double>(in.number(opt));
        } else if (!readCommonOption(in, opt, o.common)) {
            in.fail("unknown option " + opt);
        }
    }
    finishCommon(in, o.common);
    *error = in.error();
    return in.ok();
}

bool readSweepOptions(const std::vector<std::string>& args, SweepCommandOptions& o,
                      std::string* error) {
    ArgReader in(args);
    while (in.more()) {
        const std::string opt = in.next();
        if (opt == "--vary") {
            o.vary.clear();
            for (const std::string& item : split(in.value(opt), ',')) {
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
                    !parseWhole(parts[2], a.points)) {
                    in.fail("--vary needs NAME=LO:HI:N, not \"" + item + "\"");
                    break;
                }
                a.name = item.substr(0, eq);
                o.vary.push_back(a);
            }
        } else if (!readCommonOption(in, opt, o.common)) {
            in.fail("unknown option " + opt);
        }
    }
    finishCommon(in, o.common);
    if (in.ok() && o.vary.empty()) in.fail("sweep needs --vary NAME=LO:HI:N,...");
    *error = in.error();
    return in.ok();
}

bool studyGear(const StudyCommonOptions& o, Model& m, std::vector<Ext>& offsets, int& threads,
               std::string* error) {
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
    for (const std::string& name : o.vary) {
        const DimensionInfo* d = namedDimension(name, &error);
        if (!d || !seen.insert(d->code).second) {
            err << "corvellan: " << (d ? name + " is named twice" : error) << "\n";
            return 2;
        }
        so.codes.push_back(d->code);
    }
    const SensitivityReport r = computeSensitivity(m, so);
    switch (o.common.report.format) {
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
    switch (o.common.report.format) {
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
    const ReportFormat format = o.common.report.format;
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

int sensitivityCommand(const std::vector<std::string>& args) {
    SensitivityCommandOptions o;
    std::string error;
    if (!readSensitivityOptions(args, o, &error)) return usageError(error);
    return guarded([&] { return runSensitivity(o, std::cout, std::cerr); });
}

int toleranceCommand(const std::vector<std::string>& args) {
    ToleranceCommandOptions o;
    std::string error;
    if (!readToleranceOptions(args, o, &error)) return usageError(error);
    return guarded([&] { return runTolerance(o, std::cout, std::cerr); });
}

int sweepCommand(const std::vector<std::string>& args) {
    SweepCommandOptions o;
    std::string error;
    if (!readSweepOptions(args, o, &error)) return usageError(error);
    return guarded([&] { return runSweep(o, std::cout, std::cerr); });
}

} // namespace corvellan
