#include "app/DesignSpacePicture.h"

#include "analysis/Balance.h"
#include "app/Commands.h"
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
};

void addPictureOptions(CLI::App* c, PictureOptions& p) {
    addNumberOption(c, "--revarm", p.revArm, "X",
                    "the one setting the picture shows, in the gear's length unit (forward below "
                    "mid gear); brought into the reverse arm's travel.",
                    "the normal forward setting");
    c->add_option_function<std::string>(
         "--figure",
         [&p](const std::string& key) {
             p.figure = designFigureByKey(key);
             if (p.figure < 0) throw CLI::ValidationError("unknown figure " + key);
         },
         "the figure a histogram or sweep shows, by its JSON key (CutOffFrontPct, LeadRear, ...).")
        ->type_name("KEY")
        ->default_str("CutOffFrontPct");
    addPictureOutput(c, p.out);
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

int renderSensitivity(const SensitivityCommandOptions& o, const PictureOptions& p) {
    std::string error;
    Model m;
    SensitivityOptions so;
    if (!studyGear(o.common, m, so.offsets, so.threads, &error)) return failed(error);
    so.offsets = pictureSetting(m, p);
    for (const std::string& name : o.vary.value_or(std::vector<std::string>{})) {
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

int renderTolerance(const ToleranceCommandOptions& o, const PictureOptions& p) {
    std::string error;
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

int renderSweep(const SweepCommandOptions& o, const PictureOptions& p) {
    std::string error;
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

void addRenderStudyCommands(CommandLine& cli) {
    {
        auto o = std::make_shared<SensitivityCommandOptions>();
        auto p = std::make_shared<PictureOptions>();
        CLI::App* c = cli.command(
            "sensitivity", "The Sensitivity window's colour map of the rates at one setting.",
            [o, p] { return renderSensitivity(*o, *p); }, cli.render());
        addSensitivityOptions(c, *o, false);
        addPictureOptions(c, *p);
    }
    {
        auto o = std::make_shared<ToleranceCommandOptions>();
        auto p = std::make_shared<PictureOptions>();
        CLI::App* c = cli.command(
            "tolerance", "The Tolerances window's histogram of one figure at one setting.",
            [o, p] { return renderTolerance(*o, *p); }, cli.render());
        addToleranceOptions(c, *o, false);
        addPictureOptions(c, *p);
    }
    {
        auto o = std::make_shared<SweepCommandOptions>();
        auto p = std::make_shared<PictureOptions>();
        CLI::App* c = cli.command(
            "sweep", "The Sweep window's chart of one figure over one or two dimensions.",
            [o, p] { return renderSweep(*o, *p); }, cli.render());
        addSweepOptions(c, *o, false);
        addPictureOptions(c, *p);
    }
}

} // namespace corvellan
