#include "app/DesignSpacePicture.h"

#include "analysis/Balance.h"
#include "app/DesignSpaceCommands.h"
#include "diagrams/DesignSpacePictures.h"
#include "platform/PictureFile.h"

#include <iostream>
#include <optional>

namespace corvellan {

namespace {

struct PictureOptions {
    std::string out;
    std::optional<Ext> revArm;
    int figure = -1;
    std::vector<std::string> rest; // for the command's own reader
};

bool readPictureOptions(const std::vector<std::string>& args, PictureOptions& o,
                        std::string* error) {
    ArgReader in(args);
    while (in.more()) {
        const std::string opt = in.next();
        if (opt == "-o") {
            o.out = in.value(opt);
        } else if (opt == "--revarm") {
            o.revArm = in.number(opt);
        } else if (opt == "--figure") {
            const std::string key = in.value(opt);
            o.figure = designFigureByKey(key);
            if (in.ok() && o.figure < 0) in.fail("unknown figure " + key);
        } else if (opt == "--positions" || opt == "--sweep" || opt == "--json" || opt == "--csv") {
            in.fail("a picture shows one setting: give --revarm X, not " + opt);
        } else {
            // Every other option of the commands takes a value; it goes with
            // its option, and the command's reader judges both.
            o.rest.push_back(opt);
            if (in.more()) o.rest.push_back(in.next());
        }
    }
    checkPictureName(in, o.out);
    *error = in.error();
    return in.ok();
}

// The picture's one setting, for the study's gear.
std::vector<Ext> pictureSetting(const Model& m, const PictureOptions& o) {
    const Real setting =
        o.revArm ? clampSetting(m, *o.revArm)
                 : clampToReal(static_cast<Ext>(m.gear.RevArmCen()) - m.frame.RevArmToCentNorm);
    return settingOffsets(m, {setting});
}

int failed(const std::string& error) {
    return inputError(error);
}

int renderSensitivity(const PictureOptions& p) {
    SensitivityCommandOptions o;
    std::string error;
    if (!readSensitivityOptions(p.rest, o, &error)) return usageError(error);
    Model m;
    SensitivityOptions so;
    if (!studyGear(o.common, m, so.offsets, so.threads, &error)) return failed(error);
    so.offsets = pictureSetting(m, p);
    for (const std::string& name : o.vary) {
        const DimensionInfo* d = dimensionByName(name);
        if (!d) return failed("unknown dimension " + name);
        so.codes.push_back(d->code);
    }
    const SensitivityReport r = computeSensitivity(m, so);
    const SettingRates& rates = r.settings[0];
    const PictureSize size = sensitivityMapSize(rates);
    ensureGuiApplication();
    Picture picture;
    picture.size = QSize(size.width, size.height);
    picture.title = QStringLiteral("Sensitivity");
    picture.draw = [&rates](Canvas& c) { drawSensitivityMap(rates, c); };
    return writePicture(p.out, picture);
}

int renderTolerance(const PictureOptions& p) {
    ToleranceCommandOptions o;
    std::string error;
    if (!readToleranceOptions(p.rest, o, &error)) return usageError(error);
    Model m;
    ToleranceOptions to;
    if (!studyGear(o.common, m, to.offsets, to.threads, &error)) return failed(error);
    to.offsets = pictureSetting(m, p);
    if (!toleranceStudyOptions(o, m, to, &error)) return failed(error);
    const ToleranceReport r = computeTolerance(m, to);
    const int figure = p.figure >= 0 ? p.figure : CutOffFrontFigure;
    ensureGuiApplication();
    Picture picture;
    picture.size = QSize(kHistogramSize.width, kHistogramSize.height);
    picture.title = QStringLiteral("Tolerances");
    picture.draw = [&r, figure](Canvas& c) { drawToleranceHistogram(r, 0, figure, c); };
    return writePicture(p.out, picture);
}

int renderSweep(const PictureOptions& p) {
    SweepCommandOptions o;
    std::string error;
    if (!readSweepOptions(p.rest, o, &error)) return usageError(error);
    Model m;
    SweepOptions so;
    if (!studyGear(o.common, m, so.offsets, so.threads, &error)) return failed(error);
    so.offsets = pictureSetting(m, p);
    if (!sweepStudyOptions(o, so, &error)) return failed(error);
    if (so.axes.size() > 2) return failed("a sweep's picture shows one or two dimensions");
    std::vector<SweepPoint> points;
    computeSweep(m, so, points);
    const int figure = p.figure >= 0 ? p.figure : CutOffFrontFigure;
    // The current design's own figure, for its mark.
    Model design = m;
    std::vector<SettingEvents> events;
    computeDesignEvents(design, so.offsets, events);
    std::vector<DesignFigures> figures;
    for (const SweepPoint& point : points)
        figures.push_back(point.settings[0].figures);
    const SweepChart chart = makeSweepChart(m, so, figures, directionName(events[0]), 0, figure,
                                            designFigures(events[0])[figure]);
    ensureGuiApplication();
    Picture picture;
    picture.size = QSize(kSweepChartSize.width, kSweepChartSize.height);
    picture.title = QStringLiteral("Sweep");
    picture.draw = [&chart](Canvas& c) { drawSweepChart(chart, c); };
    return writePicture(p.out, picture);
}

} // namespace

int renderStudyCommand(const std::string& which, const std::vector<std::string>& args) {
    PictureOptions p;
    std::string error;
    if (!readPictureOptions(args, p, &error)) return usageError(error);
    if (which == "sensitivity") return renderSensitivity(p);
    if (which == "tolerance") return renderTolerance(p);
    return renderSweep(p);
}

} // namespace corvellan
