// corvellan render indicator | performance: the pictures of the Indicator
// Diagram and Performance windows, drawn headless from the same code.
#include "app/Commands.h"

#include "analysis/Parallel.h"
#include "app/CliSupport.h"
#include "app/SteamCommandSupport.h"
#include "diagrams/SteamCharts.h"
#include "platform/PictureFile.h"
#include "steam/Conditions.h"
#include "steam/Performance.h"

#include <memory>
#include <optional>

namespace corvellan {

namespace {

struct SteamPictureOptions {
    SteamInputs inputs;
    std::string compare, out;
    std::optional<Ext> revArm;
    std::optional<std::vector<Ext>> positions, speeds;
};

int renderIndicator(const SteamPictureOptions& o) {
    Model m;
    steam::Conditions c;
    std::string error;
    if (!loadSteamInputs(o.inputs, m, c, &error)) return inputError(error);
    std::vector<Real> settings;
    if (o.revArm)
        settings.push_back(settingInTravel(m, "--revarm", *o.revArm));
    else if (o.positions)
        for (Ext p : *o.positions)
            settings.push_back(settingInTravel(m, "--positions", p));
    else
        settings = diagramPositionSettings(m);
    if (settings.empty())
        return inputError("the dimension set has no diagram positions; give --positions");
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
    steam::Conditions c;
    std::string error;
    if (!loadSteamInputs(o.inputs, m, c, &error)) return inputError(error);
    std::vector<double> speeds = steam::defaultPerformanceSpeeds();
    if (o.speeds) {
        speeds.clear();
        for (Ext s : *o.speeds) {
            if (!(s > 0) || s > steam::kMaxSpeed)
                return inputError("--speeds " + shortestText(s) +
                                  " is not above 0 and at most 3000");
            speeds.push_back(static_cast<double>(s));
        }
    }
    PerformanceChart chart;
    if (!computePerformanceChart(m, c, speeds, defaultThreadCount(), chart, nullptr, &error))
        return inputError(error);
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
        c->footer(steamCommandFooter() + " The ideal cycle of each end is drawn dashed.");
        addSteamInputOptions(c, o->inputs);
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
        addDimsOption(c, o->inputs.dims);
        addDimsOption(c, o->inputs.conditions, "--conditions",
                      "the operating conditions, as the indicator picture takes them.")
            ->default_str("the file beside the dimension file, else the defaults");
        addNumberListOption(c, "--speeds", o->speeds, "RPM",
                            "the speeds, each above 0 and at most 3000.", "100,200,300,500,800",
                            steam::kMaxPerformanceSpeeds);
        addPictureOutput(c, o->out);
    }
}

} // namespace corvellan
