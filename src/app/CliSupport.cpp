#include "app/CliSupport.h"

#include "analysis/ValveEvents.h"
#include "model/DimensionFile.h"
#include "model/PivotPick.h"
#include "platform/PictureFile.h"

#include <QGuiApplication>

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace corvellan {

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        items.push_back(text.substr(start, at == std::string::npos ? at : at - start));
        if (at == std::string::npos) return items;
        start = at + 1;
    }
}

[[noreturn]] void refuse(const std::string& why) {
    throw CLI::ValidationError(why);
}

std::string countText(std::size_t n) {
    return std::to_string(n);
}

} // namespace

CLI::Option* addDimsOption(CLI::App* c, std::string& path, const std::string& name,
                           const std::string& help) {
    CLI::Option* o = c->add_option_function<std::string>(
        name,
        [&path, name](const std::string& value) {
            if (value.empty()) refuse(name + " needs a file name, not an empty word");
            path = value;
        },
        help.empty() ? "the gear: a dimension file (.dco, or .oca of the program's earlier "
                       "version)."
                     : help);
    o->type_name("FILE");
    if (help.empty()) o->default_str("the nominal gear");
    return o;
}

CLI::Option* addGearArgument(CLI::App* c, const std::string& name, std::string& path,
                             const std::string& help) {
    CLI::Option* o = c->add_option_function<std::string>(
        name,
        [&path, name](const std::string& value) {
            if (value.empty()) refuse(name + " needs a file name, not an empty word");
            path = value;
        },
        help);
    o->type_name(name + ".dco")->required();
    return o;
}

CLI::Option* addNumberOption(CLI::App* c, const std::string& name, std::optional<Ext>& value,
                             const std::string& unit, const std::string& help,
                             const std::string& defaultText, std::optional<NumberRange> range) {
    std::string text = help;
    if (range)
        text += " From " + shortestText(range->low) + " to " + shortestText(range->high) + ".";
    CLI::Option* o = c->add_option_function<std::string>(
        name,
        [&value, name, range](const std::string& given) {
            bool ok = false;
            const Ext v = parseReal(given, &ok);
            if (!ok || !std::isfinite(v)) refuse(name + " needs a number, not \"" + given + "\"");
            if (range && !(v >= range->low && v <= range->high))
                refuse(name + " must lie between " + shortestText(range->low) + " and " +
                       shortestText(range->high) + ", not " + given);
            value = v;
        },
        text);
    o->type_name(unit)->default_str(defaultText);
    return o;
}

CLI::Option* addNumberListOption(CLI::App* c, const std::string& name,
                                 std::optional<std::vector<Ext>>& values, const std::string& unit,
                                 const std::string& help, const std::string& defaultText,
                                 std::size_t most) {
    CLI::Option* o = c->add_option_function<std::string>(
        name,
        [&values, name, most](const std::string& given) {
            std::vector<Ext> numbers;
            for (const std::string& item : split(given, ',')) {
                bool ok = false;
                const Ext v = parseReal(item, &ok);
                if (!ok || !std::isfinite(v)) refuse(name + " needs numbers, not \"" + item + "\"");
                numbers.push_back(v);
            }
            if (numbers.size() > most)
                refuse(name + " takes at most " + countText(most) + " numbers, not " +
                       countText(numbers.size()));
            values = std::move(numbers);
        },
        help + " At most " + countText(most) + ".");
    o->type_name(unit)->default_str(defaultText);
    return o;
}

CLI::Option* addWordListOption(CLI::App* c, const std::string& name,
                               std::optional<std::vector<std::string>>& values,
                               const std::string& unit, const std::string& help,
                               const std::string& defaultText, std::size_t most) {
    CLI::Option* o = c->add_option_function<std::string>(
        name,
        [&values, name, most](const std::string& given) {
            std::vector<std::string> words = split(given, ',');
            for (const std::string& w : words)
                if (w.empty()) refuse(name + " needs names, not an empty one in \"" + given + "\"");
            if (words.size() > most)
                refuse(name + " takes at most " + countText(most) + " names, not " +
                       countText(words.size()));
            values = std::move(words);
        },
        help);
    o->type_name(unit)->default_str(defaultText);
    return o;
}

CLI::Option* addChoiceOption(CLI::App* c, const std::string& name, std::string& value,
                             const std::vector<std::string>& choices, const std::string& help,
                             const std::string& defaultValue) {
    std::string list, spoken;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        list += (i ? "|" : "") + choices[i];
        spoken += (i == 0 ? "" : i + 1 == choices.size() ? " or " : ", ") + choices[i];
    }
    value = defaultValue;
    CLI::Option* o = c->add_option_function<std::string>(
        name,
        [&value, name, choices, spoken](const std::string& given) {
            if (std::find(choices.begin(), choices.end(), given) == choices.end())
                refuse(name + " needs " + spoken + ", not \"" + given + "\"");
            value = given;
        },
        help);
    o->type_name(list)->default_str(defaultValue);
    return o;
}

CLI::Option* addFlag(CLI::App* c, const std::string& name, bool& on, const std::string& help) {
    return c->add_flag(name, on, help);
}

CLI::Option* addPivotsOption(CLI::App* c, std::optional<std::vector<int>>& pivots,
                             const std::string& help, const std::string& defaultText) {
    CLI::Option* o = c->add_option_function<std::string>(
        "--pivots",
        [&pivots](const std::string& given) {
            std::vector<int> numbers;
            for (const std::string& item : split(given, ',')) {
                bool ok = false;
                const Ext v = parseReal(item, &ok);
                if (!ok || v < 0 || v >= kPivotCount || v != std::floor(v) ||
                    numbers.size() == static_cast<std::size_t>(kPivotSlots))
                    refuse("--pivots needs up to six pivot numbers 0 to 26, not \"" + given + "\"");
                numbers.push_back(static_cast<int>(v));
            }
            pivots = std::move(numbers);
        },
        help);
    o->type_name("p1,...,p6")->default_str(defaultText);
    return o;
}

void applyPivotSlots(const std::vector<int>& pivots, Model& m) {
    for (std::size_t k = 0; k < pivots.size() && k < static_cast<std::size_t>(kPivotSlots); ++k) {
        m.pivotData.slotPivot[k + 1] = static_cast<Real>(pivots[k]);
        m.pivotData.slotShown[k + 1] = true;
    }
}

CLI::Option* addPictureOutput(CLI::App* c, std::string& out,
                              const std::vector<std::string>& formats) {
    std::string list, names;
    for (std::size_t i = 0; i < formats.size(); ++i) {
        list += (i ? "|" : "") + std::string("OUT.") + formats[i];
        names += (i == 0 ? "" : i + 1 == formats.size() ? " or " : ", ") + ("." + formats[i]);
    }
    CLI::Option* o = c->add_option_function<std::string>(
        "-o",
        [&out, formats, names](const std::string& given) {
            const PictureFormat f = pictureFormatOf(QString::fromStdString(given));
            const std::string ext = f == PictureFormat::Png   ? "png"
                                    : f == PictureFormat::Svg ? "svg"
                                    : f == PictureFormat::Pdf ? "pdf"
                                                              : "";
            if (std::find(formats.begin(), formats.end(), ext) == formats.end())
                refuse("the output must end in " + names + ": \"" + given + "\"");
            out = given;
        },
        "the picture to write; its name's ending chooses the format" +
            std::string(formats.size() > 1 ? " (PNG pixels, or SVG and PDF vectors drawn by the "
                                             "same code)."
                                           : "."));
    o->type_name(list)->required();
    return o;
}

void addReportOptions(CLI::App* c, ReportOptions& o, const std::string& gear) {
    CLI::Option* positions = addNumberListOption(
        c, "--positions", o.positions, "a,b,c",
        "reverse-arm settings to report, in the gear's length unit: mid gear is RevArmCen, "
        "forward lies below it and reverse above. Each is brought into " +
            gear + "'s travel, RevArmCen - RevArmToCentMax to RevArmCen + RevArmToCentMax.",
        gear + "'s diagram positions (mid gear and the normal settings forward and reverse, and "
               "any the dimension file adds)");
    CLI::Option* sweep =
        addFlag(c, "--sweep", o.sweep,
                "report mid gear, then 10 % to 100 % of RevArmToCentMax forward, then the same "
                "in reverse: 21 settings.");
    positions->excludes(sweep);
    CLI::Option* json = addFlag(c, "--json", o.json, "print one JSON object instead of the table.");
    CLI::Option* csv = addFlag(c, "--csv", o.csv, "print CSV instead of the table.");
    json->excludes(csv);
}

std::string adjustedText(const std::string& option, Ext given, const std::string& why, Ext taken) {
    return option + " " + shortestText(given) + " " + why + "; taken as " + shortestText(taken);
}

Real storedValue(const std::string& option, Ext value) {
    const Real stored = clampToReal(value);
    if (std::fabs(value) > static_cast<Ext>(FLT_MAX))
        warnAdjusted(adjustedText(option, value, "lies beyond the largest 4-byte real", stored));
    return stored;
}

bool listedSettings(const Model& m, const ReportOptions& o, const char* gear,
                    std::vector<Real>& settings, std::string* error) {
    settings.clear();
    if (o.positions) {
        const Ext cen = m.gear.RevArmCen(), max = m.frame.RevArmToCentMax;
        const std::string travel = "lies beyond the reverse arm's travel (" +
                                   shortestText(cen - max) + " to " + shortestText(cen + max) + ")";
        for (Ext p : *o.positions) {
            const Real setting = clampSetting(m, p);
            if (setting != clampToReal(p))
                warnAdjusted(adjustedText("--positions", p, travel, setting));
            settings.push_back(setting);
        }
        return true;
    }
    settings = diagramPositionSettings(m);
    if (settings.empty() && error)
        *error = std::string(gear) + " has no diagram positions; give --positions or --sweep";
    return !settings.empty();
}

int usageError(const std::string& error) {
    std::cerr << "corvellan: " << error << " (\"corvellan --help\" shows the usage)\n";
    return 2;
}

int inputError(const std::string& error) {
    std::cerr << "corvellan: " << error << "\n";
    return 2;
}

void warnAdjusted(const std::string& what) {
    std::cerr << "corvellan: " << what << "\n";
}

bool loadDimensions(Model& m, const std::string& path, std::string* error) {
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const bool dos = lower.size() >= 4 && lower.compare(lower.size() - 4, 4, ".oca") == 0;
    FileResult r = dos ? openDosDimensionFile(m, path) : openDimensionFile(m, path);
    if (!r.ok && error) *error = r.message;
    return r.ok;
}

bool loadGear(Model& m, const std::string& path, std::string* error) {
    m = nominalModel();
    return path.empty() || loadDimensions(m, path, error);
}

int writePicture(const std::string& out, const Picture& picture) {
    const QString why = writePictureFile(QString::fromStdString(out), picture);
    if (!why.isEmpty()) return inputError("cannot write " + out + ": " + why.toStdString());
    return 0;
}

namespace {
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}
} // namespace

void prepareOffscreen() {
    qInstallMessageHandler(quietQt);
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    prepareOffscreen();
    static int argc = 1;
    static char name[] = "corvellan";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

} // namespace corvellan
