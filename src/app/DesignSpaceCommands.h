#pragma once
// `corvellan sensitivity`, `tolerance` and `sweep`: the design-space tools
// on the command line. Each command's core is a function from its options
// to its output; reading the arguments is apart from it.

#include "analysis/Sweep.h"
#include "analysis/Tolerance.h"
#include "app/CliSupport.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace corvellan {

// The most settings one study takes (a list given with --positions).
constexpr size_t kMaxStudySettings = 100;

struct StudyCommonOptions {
    std::string dims;
    ReportOptions report;
    int threads = 0; // 0: all cores
};

struct SensitivityCommandOptions {
    StudyCommonOptions common;
    std::optional<std::vector<std::string>> vary; // dimension names; none: all 36
};

struct ToleranceCommandOptions {
    StudyCommonOptions common;
    long long samples = kDefaultSamples;
    std::uint64_t seed = 1;
    double lengthTolerance = kDefaultLengthTolerance;
    double angleTolerance = kDefaultAngleTolerance;
    std::vector<std::pair<std::string, Ext>> tolerances; // NAME=X, after the two above
    double pinClearance = 0;
    double cutOffLimit = kDefaultCutOffLimit;
};

struct SweepCommandOptions {
    StudyCommonOptions common;
    struct Axis {
        std::string name;
        Ext low = 0, high = 0;
        long long points = 0;
    };
    std::vector<Axis> vary;
};

// The options of each command, declared on `c`; with `settings`, the
// report's settings and formats too (a picture shows one setting).
void addStudyCommonOptions(CLI::App* c, StudyCommonOptions& o, bool settings);
void addSensitivityOptions(CLI::App* c, SensitivityCommandOptions& o, bool settings);
void addToleranceOptions(CLI::App* c, ToleranceCommandOptions& o, bool settings);
void addSweepOptions(CLI::App* c, SweepCommandOptions& o, bool settings);

// The cores: the report on `out`, or 2 with one line on `err`.
int runSensitivity(const SensitivityCommandOptions& o, std::ostream& out, std::ostream& err);
int runTolerance(const ToleranceCommandOptions& o, std::ostream& out, std::ostream& err);
int runSweep(const SweepCommandOptions& o, std::ostream& out, std::ostream& err);

// The study's gear, settings (as distances from mid gear) and threads from
// the common options; false with the reason.
bool studyGear(const StudyCommonOptions& o, Model& m, std::vector<Ext>& offsets, int& threads,
               std::string* error);
// The tolerance options of the study from the command's, for `m`.
bool toleranceStudyOptions(const ToleranceCommandOptions& o, const Model& m, ToleranceOptions& out,
                           std::string* error);
bool sweepStudyOptions(const SweepCommandOptions& o, SweepOptions& out, std::string* error);

} // namespace corvellan
