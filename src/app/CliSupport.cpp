#include "app/CliSupport.h"

#include "model/DimensionFile.h"
#include "model/PivotPick.h"
#include "platform/PictureFile.h"
#include "analysis/ValveEvents.h"

#include <QGuiApplication>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>

namespace corvellan {

std::string ArgReader::value(const std::string& option) {
    if (pos_ >= args_.size()) {
        fail(option + " needs a value");
        return {};
    }
    return args_[pos_++];
}

Ext ArgReader::number(const std::string& option) {
    const std::string text = value(option);
    if (!ok()) return 0;
    bool good = false;
    Ext v = parseReal(text, &good);
    if (!good || !std::isfinite(v)) fail(option + " needs a number, not \"" + text + "\"");
    return good ? v : 0;
}

void ArgReader::numbers(const std::string& option, std::vector<Ext>& out) {
    const std::string text = value(option);
    size_t start = 0;
    while (ok()) {
        const size_t comma = text.find(',', start);
        const std::string item =
            text.substr(start, comma == std::string::npos ? comma : comma - start);
        bool good = false;
        const Ext v = parseReal(item, &good);
        if (!good || !std::isfinite(v)) fail(option + " needs numbers, not \"" + item + "\"");
        else out.push_back(v);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
}

bool readReportOption(ArgReader& in, const std::string& option, ReportOptions& o) {
    auto chooseFormat = [&](ReportFormat format) {
        if (o.formatChosen) in.fail("choose one of --json and --csv");
        o.format = format;
        o.formatChosen = true;
    };
    if (option == "--positions") {
        in.numbers(option, o.positions);
        o.havePositions = true;
    } else if (option == "--sweep")
        o.sweep = true;
    else if (option == "--json")
        chooseFormat(ReportFormat::Json);
    else if (option == "--csv")
        chooseFormat(ReportFormat::Csv);
    else
        return false;
    return true;
}

void checkReportOptions(ArgReader& in, const ReportOptions& o) {
    if (in.ok() && o.havePositions && o.sweep) in.fail("choose one of --positions and --sweep");
}

bool listedSettings(const Model& m, const ReportOptions& o, const char* gear,
                    std::vector<Real>& settings, std::string* error) {
    settings.clear();
    if (o.havePositions) {
        for (Ext p : o.positions)
            settings.push_back(clampSetting(m, p));
        return true;
    }
    settings = diagramPositionSettings(m);
    if (settings.empty() && error)
        *error = std::string(gear) + " has no diagram positions; give --positions or --sweep";
    return !settings.empty();
}

int usageError(const std::string& error) {
    std::cerr << "corvellan: " << error << " (corvellan --help shows the usage)\n";
    return 2;
}

int inputError(const std::string& error) {
    std::cerr << "corvellan: " << error << "\n";
    return 2;
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

bool readPivotSlots(const std::string& text, Model& m, std::string* error) {
    std::stringstream in(text);
    std::string item;
    int slot = 0;
    while (std::getline(in, item, ',')) {
        bool ok = false;
        const Ext v = parseReal(item, &ok);
        if (!ok || v < 0 || v >= kPivotCount || v != std::floor(v) || ++slot > kPivotSlots) {
            *error = "--pivots needs up to six pivot numbers 0 to 26, not \"" + text + "\"";
            return false;
        }
        m.pivotData.slotPivot[slot] = static_cast<Real>(v);
        m.pivotData.slotShown[slot] = true;
    }
    return true;
}

void checkPictureName(ArgReader& in, const std::string& out) {
    if (in.ok() && pictureFormatOf(QString::fromStdString(out)) == PictureFormat::None)
        in.fail("the output must end in .png, .svg or .pdf: " + out);
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
