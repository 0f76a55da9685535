#pragma once
// Small shared pieces of the command-line subcommands: argument reading,
// error exits and loading a dimension file by its extension.

#include "model/Model.h"

#include <string>
#include <vector>

namespace corvellan {

struct Picture;

// Reads "--option value" pairs; the first problem is kept as the error.
class ArgReader {
public:
    explicit ArgReader(std::vector<std::string> args) : args_(std::move(args)) {}
    bool more() const { return ok() && pos_ < args_.size(); }
    std::string next() { return args_[pos_++]; }
    // The value after an option, or an error when it is missing.
    std::string value(const std::string& option);
    // A finite number after an option, or an error.
    Ext number(const std::string& option);
    // Finite numbers "a,b,c" after an option, appended to `out`, or an error
    // naming the first item that is not one.
    void numbers(const std::string& option, std::vector<Ext>& out);
    void fail(const std::string& error) {
        if (error_.empty()) error_ = error;
    }
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

private:
    std::vector<std::string> args_;
    size_t pos_ = 0;
    std::string error_;
};

// The options the report commands share: the settings (a list given with
// --positions, or --sweep) and the format (--json or --csv).
enum class ReportFormat { Text, Json, Csv };
struct ReportOptions {
    std::vector<Ext> positions;
    bool havePositions = false;
    bool sweep = false;
    ReportFormat format = ReportFormat::Text;
    bool formatChosen = false;
};
// Reads `option` (and its value) when it is one of them; false otherwise.
bool readReportOption(ArgReader& in, const std::string& option, ReportOptions& o);
// After the last option: a list and the sweep together are an error.
void checkReportOptions(ArgReader& in, const ReportOptions& o);
// The settings of a report on `m` without --sweep: the list brought into the
// reverse arm's travel, else the diagram positions. False with an error when
// there are none.
bool listedSettings(const Model& m, const ReportOptions& o, const char* gear,
                    std::vector<Real>& settings, std::string* error);

// One line on stderr, exit status 2.
int usageError(const std::string& error);
int inputError(const std::string& error);

// Opens FILE as the program's own format, or as the earlier format when its
// name ends in ".oca" (any case).
bool loadDimensions(Model& m, const std::string& path, std::string* error);
// The gear a command works on: the nominal one, read over from FILE when
// `path` names one.
bool loadGear(Model& m, const std::string& path, std::string* error);

// "p1,...,p6": up to six pivot numbers 0 to 26 bound to slots 1 to 6, which
// become shown; slots left out read pivot 0, as an unbound slot of the window
// does.
bool readPivotSlots(const std::string& text, Model& m, std::string* error);

// Adds an error to `in` unless `out` names a picture file (.png, .svg, .pdf).
void checkPictureName(ArgReader& in, const std::string& out);
// Writes the picture to `out`: 0, or 2 with the reason on stderr.
int writePicture(const std::string& out, const Picture& picture);

// Fonts need a GUI application; the picture commands run without a display
// (offscreen unless QT_QPA_PLATFORM says otherwise) and keep Qt's own chatter
// off stderr, where their errors are one line each.
void ensureGuiApplication();
// What ensureGuiApplication does before it makes the application: for a
// command that makes its own (one that shows a window).
void prepareOffscreen();

} // namespace corvellan
