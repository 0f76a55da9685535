#pragma once
// The command line's shared pieces: how a command is declared, the options
// several commands share, loading the gear, and the one-line error exits.
//
// A command lives in a file of its own and is one function that declares it:
//
//     struct FooOptions {
//         std::string dims;
//         std::optional<Ext> angle;
//         ReportOptions report;
//     };
//
//     int runFoo(const FooOptions& o) { ... return 0; }
//
//     void addFooCommand(CommandLine& cli) {
//         auto o = std::make_shared<FooOptions>();
//         CLI::App* c = cli.command("foo", "What foo prints, in one line.",
//                                   [o] { return runFoo(*o); });
//         c->footer("What a user needs to know beyond the options.");
//         addDimsOption(c, o->dims);
//         addNumberOption(c, "--angle", o->angle, "DEG",
//                         "driver angle in degrees from front dead centre", "0");
//         addReportOptions(c, o->report, "the gear");
//     }
//
// and one line in Cli.cpp's list of commands. A picture of `render` is the
// same with cli.render() as the parent: cli.command("cutoffs", ..., run,
// cli.render()).
//
// Each option is declared once with its meaning, its default and its check;
// `corvellan foo --help` and the usage lines of `corvellan --help` are
// written from those declarations, in the order they are made. The run
// function sees only values that passed their checks. What the helpers
// guarantee:
// - a value that is missing, empty or not what the option takes is refused
//   with one line on stderr and exit status 2, as an unknown option, an
//   option given twice or two options that exclude each other are;
// - numbers are finite decimals with a point, whatever the locale;
// - every list is bounded;
// - a value the command brings into range (a setting beyond the reverse
//   arm's travel) is reported by warnAdjusted: one line on stderr, and the
//   command goes on.
// The run returns 0, or usageError / inputError (one line on stderr, 2).

#include "model/Model.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvellan {

struct Picture;

// The program's commands and their options.
class CommandLine {
  public:
    CommandLine();
    // Declares a command (a picture of render when `parent` is render()):
    // its name, what it does in one line, and what runs it.
    CLI::App* command(const std::string& name, const std::string& purpose, std::function<int()> run,
                      CLI::App* parent = nullptr);
    // The "render" command, whose subcommands are its pictures (declared
    // where the first picture is).
    CLI::App* render();
    // Parses the words after the program's name and runs the command they
    // name: its exit status.
    int run(const std::vector<std::string>& args);
    // The help of a command (the program's own for the top), as --help
    // prints it.
    std::string help(const CLI::App* command) const;

  private:
    CLI::App app_;
    CLI::App* render_ = nullptr;
    std::map<const CLI::App*, std::function<int()>> runs_;
};

// "corvellan render sine": the command's words.
std::string commandPath(const CLI::App* command);

// Options ------------------------------------------------------------------

// The largest number of items a list option takes unless it says otherwise.
constexpr std::size_t kMaxListItems = 1000;

// --dims FILE: the gear read from a dimension file (.dco, or .oca of the
// earlier version) instead of the nominal one. `name` and `help` serve
// options that name a second gear (--compare).
CLI::Option* addDimsOption(CLI::App* c, std::string& path, const std::string& name = "--dims",
                           const std::string& help = {});
// A positional dimension file (compare's A and B).
CLI::Option* addGearArgument(CLI::App* c, const std::string& name, std::string& path,
                             const std::string& help);
// A finite number; `unit` names it in the help ("DEG"), `defaultText` says
// what holds without it. With `range`, a value outside it is refused.
struct NumberRange {
    Ext low, high;
};
CLI::Option* addNumberOption(CLI::App* c, const std::string& name, std::optional<Ext>& value,
                             const std::string& unit, const std::string& help,
                             const std::string& defaultText,
                             std::optional<NumberRange> range = std::nullopt);
// Finite numbers "a,b,c", at most `most`.
CLI::Option* addNumberListOption(CLI::App* c, const std::string& name,
                                 std::optional<std::vector<Ext>>& values, const std::string& unit,
                                 const std::string& help, const std::string& defaultText,
                                 std::size_t most = kMaxListItems);
// Words "a,b,c" (names), at most `most`, none empty.
CLI::Option* addWordListOption(CLI::App* c, const std::string& name,
                               std::optional<std::vector<std::string>>& values,
                               const std::string& unit, const std::string& help,
                               const std::string& defaultText, std::size_t most = kMaxListItems);
// One of a few words.
CLI::Option* addChoiceOption(CLI::App* c, const std::string& name, std::string& value,
                             const std::vector<std::string>& choices, const std::string& help,
                             const std::string& defaultValue);
// A flag: on when given.
CLI::Option* addFlag(CLI::App* c, const std::string& name, bool& on, const std::string& help);

// --pivots p1,...,p6: up to six pivot numbers 0 to 26 for slots 1 to 6.
CLI::Option* addPivotsOption(CLI::App* c, std::optional<std::vector<int>>& pivots,
                             const std::string& help, const std::string& defaultText);
// Binds the pivots to slots 1 to 6, which become shown; slots left out read
// pivot 0, as an unbound slot of the window does.
void applyPivotSlots(const std::vector<int>& pivots, Model& m);

// -o OUT: the picture to write, required; its name must end in one of
// `formats` ("png", "svg", "pdf").
CLI::Option* addPictureOutput(CLI::App* c, std::string& out,
                              const std::vector<std::string>& formats = {"png", "svg", "pdf"});

// The options the report commands share: the settings (a list given with
// --positions, or --sweep) and the format (--json or --csv).
enum class ReportFormat { Text, Json, Csv };
struct ReportOptions {
    std::optional<std::vector<Ext>> positions;
    bool sweep = false;
    bool json = false;
    bool csv = false;
    ReportFormat format() const {
        return json ? ReportFormat::Json : csv ? ReportFormat::Csv : ReportFormat::Text;
    }
};
// `gear` names whose travel and diagram positions the settings are ("the
// gear", "gear A").
void addReportOptions(CLI::App* c, ReportOptions& o, const std::string& gear);
// The settings of a report on `m` without --sweep: the list brought into the
// reverse arm's travel (each value moved saying so), else the diagram
// positions. False with an error when there are none.
bool listedSettings(const Model& m, const ReportOptions& o, const char* gear,
                    std::vector<Real>& settings, std::string* error);

// Exits and messages ---------------------------------------------------------

// One line on stderr, exit status 2.
int usageError(const std::string& error);
int inputError(const std::string& error);
// One line on stderr saying how a value the user gave was brought into range.
void warnAdjusted(const std::string& what);
// A number given to `option` as a stored 4-byte value; one beyond the
// largest 4-byte real is taken as that, saying so.
Real storedValue(const std::string& option, Ext value);
// "--positions 5 lies beyond the reverse arm's travel (-1.62499 to 1.62501);
// taken as 1.62501": for warnAdjusted.
std::string adjustedText(const std::string& option, Ext given, const std::string& why, Ext taken);

// The gear --------------------------------------------------------------------

// Opens FILE as the program's own format, or as the earlier format when its
// name ends in ".oca" (any case). A file that is not a regular file (a named
// pipe, a folder) is refused without waiting on it.
bool loadDimensions(Model& m, const std::string& path, std::string* error);
// The gear a command works on: the nominal one, read over from FILE when
// `path` names one.
bool loadGear(Model& m, const std::string& path, std::string* error);

// Pictures --------------------------------------------------------------------

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
