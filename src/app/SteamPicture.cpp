// corvellan render indicator | performance: the pictures of the Indicator
// Diagram and Performance windows, drawn headless from the same code.
#include "app/Commands.h"

#include "analysis/Parallel.h"
#include "app/CliSupport.h"
#include "diagrams/SteamCharts.h"
#include "platform/PictureFile.h"
#include "steam/Conditions.h"

#include <memory>
#include <optional>

namespace corvellan {

namespace {

struct SteamPictureOptions {
    std::string dims, conditions, compare, out;
    std::optional<Ext> speed, revArm;
    std::optional<std::vector<Ext>> positions, speeds;
};

void addConditionsOptions(CLI::App* c, SteamPictureOptions& o) {
    c->add_option("--conditions", o.conditions,
                  "the operating conditions as JSON (the file the window saves beside a "
                  "dimension file); a key left out takes its default.")
        ->type_name("FILE")
        ->default_str("the defaults: imperial, 90 psi in the chest, 300 rpm");
}

// The conditions for the gear: the file's (or the defaults), the speed
// given overriding its Speed, checked against the gear.
bool loadConditions(const SteamPictureOptions& o, const Model& m, steam::Conditions& c,
                    std::string* error) {
    c = steam::defaultConditions();
    if (!o.conditions.empty() && !steam::readConditionsFile(o.conditions, c, error)) return false;
    if (o.speed) c.Speed = static_cast<double>(*o.speed);
    *error = steam::validateConditions(c, m.cyl.CylBoreDia);
    return error->empty();
}

int renderIndicator(const SteamPictureOptions& o) {
    Model m;
    std::string error;
    if (!loadGear(m, o.dims, &error)) return inputError(error);
    steam::Conditions c;
    if (!loadConditions(o, m, c, &error)) return inputError(error);
    ReportOptions report;
    report.positions = o.positions;
    if (o.revArm) report.positions = std::vector<Ext>{*o.revArm};
    std::vector<Real> settings;
    if (!listedSettings(m, report, "the gear", settings, &error)) return inputError(error);
    const steam::SiConditions si = steam::toSi(c, m);
    const std::vector<steam::SettingIndicator> a = steam::computeIndicators(m, settings, si);
    std::vector<steam::SettingIndicator> b;
    std::string nameB;
    if (!o.compare.empty()) {
        Model gearB;
        if (!loadGear(gearB, o.compare, &error)) return inputError(error);
        const std::string problem = steam::validateConditions(c, gearB.cyl.CylBoreDia);
        if (!problem.empty()) return inputError("gear B: " + problem);
        // B at the same distances from its own mid gear.
        std::vector<Real> settingsB;
        for (Real s : settings)
            settingsB.push_back(clampSetting(gearB, static_cast<Ext>(gearB.gear.RevArmCen()) +
                                                        (static_cast<Ext>(s) - m.gear.RevArmCen())));
        b = steam::computeIndicators(gearB, settingsB, steam::toSi(c, gearB));
        nameB = gearB.DimSetName;
    }
    const IndicatorChart chart = makeIndicatorChart(a, si, c.Units, b, nameB);
    const PictureExtent size = indicatorChartSize(chart);
    ensureGuiApplication();
    Picture picture;
    picture.size = QSize(size.width, size.height);
    picture.title = QStringLiteral("Indicator Diagram");
    picture.draw = [&chart](Canvas& canvas) { drawIndicatorChart(chart, canvas); };
    return writePicture(o.out, picture);
}

int renderPerformance(const SteamPictureOptions& o) {
    Model m;
    std::string error;
    if (!loadGear(m, o.dims, &error)) return inputError(error);
    steam::Conditions c;
    if (!loadConditions(o, m, c, &error)) return inputError(error);
    std::vector<double> speeds = kDefaultPerformanceSpeeds;
    if (o.speeds) {
        speeds.clear();
        for (Ext s : *o.speeds) {
            if (!(s > 0) || s > steam::kMaxSpeed)
                return inputError("--speeds " + shortestText(s) +
                                  " is not above 0 and at most 3000 rpm");
            speeds.push_back(static_cast<double>(s));
        }
    }
    PerformanceChart chart;
    computePerformanceChart(m, c, speeds, defaultThreadCount(), chart);
    ensureGuiApplication();
    Picture picture;
    picture.size = QSize(kPerformanceChartSize.width, kPerformanceChartSize.height);
    picture.title = QStringLiteral("Performance");
    picture.draw = [&chart](Canvas& canvas) { drawPerformanceChart(chart, canvas); };
    return writePicture(o.out, picture);
}

} // namespace

void addRenderSteamCommands(CommandLine& cli) {
    {
        auto o = std::make_shared<SteamPictureOptions>();
        CLI::App* c = cli.command(
            "indicator",
            "The Indicator Diagram window's picture: the pressure in both ends against the "
            "piston's travel over the settled revolution.",
            [o] { return renderIndicator(*o); }, cli.render());
        c->footer("Pressures are gauge, in the conditions' units; the ideal cycle is dashed.");
        addDimsOption(c, o->dims);
        addConditionsOptions(c, *o);
        addNumberOption(c, "--speed", o->speed, "RPM",
                        "driver speed, overriding the conditions' Speed.", "the conditions'",
                        NumberRange{1e-9L, steam::kMaxSpeed});
        CLI::Option* positions = addNumberListOption(
            c, "--positions", o->positions, "X",
            "the settings to draw (RevArmPos, forward below mid gear), at most 9.",
            "the diagram positions", 9);
        CLI::Option* revArm = addNumberOption(c, "--revarm", o->revArm, "X",
                                              "one setting to draw.", "the diagram positions");
        revArm->excludes(positions);
        c->add_option("--compare", o->compare,
                      "a second gear drawn dashed over the first, at the same distances from its "
                      "own mid gear.")
            ->type_name("FILE");
        addPictureOutput(c, o->out);
    }
    {
        auto o = std::make_shared<SteamPictureOptions>();
        CLI::App* c = cli.command(
            "performance",
            "The Performance window's picture: MEP against cut-off over the sweep at several "
            "speeds, and power and steam rate against speed at the diagram positions.",
            [o] { return renderPerformance(*o); }, cli.render());
        addDimsOption(c, o->dims);
        addConditionsOptions(c, *o);
        addNumberListOption(c, "--speeds", o->speeds, "RPM", "the speeds, at most 20.",
                            "100,200,300,500,800", kMaxPerformanceSpeeds);
        addPictureOutput(c, o->out);
    }
}

} // namespace corvellan
