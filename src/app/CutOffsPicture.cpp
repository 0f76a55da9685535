// corvellan render cutoffs: the chart of front and rear cut-off over the
// whole reverse-arm travel, as the "Valve Events" window shows it.
#include "app/Commands.h"

#include "analysis/CutOffCurve.h"
#include "app/CliSupport.h"
#include "diagrams/CutOffChart.h"
#include "model/Model.h"
#include "platform/PictureFile.h"

#include <memory>
#include <optional>

namespace corvellan {

namespace {

struct CutOffsOptions {
    std::string dims, compare, out;
};

int runCutOffs(const CutOffsOptions& o) {
    Model a, b;
    std::string error;
    if (!loadGear(a, o.dims, &error)) return inputError(error);
    if (!loadGear(b, o.compare, &error)) return inputError(error);
    const CutOffChartGear gearA{a.DimSetName, computeCutOffCurve(a)};
    std::optional<CutOffChartGear> gearB;
    if (!o.compare.empty()) gearB = CutOffChartGear{b.DimSetName, computeCutOffCurve(b)};
    ensureGuiApplication();
    Picture picture;
    picture.size = QSize(kCutOffChartSize.width, kCutOffChartSize.height);
    picture.title = QStringLiteral("Cut-off against reverse-arm setting");
    picture.draw = [&](Canvas& c) { drawCutOffChart(gearA, gearB ? &*gearB : nullptr, c); };
    return writePicture(o.out, picture);
}

} // namespace

void addRenderCutOffsCommand(CommandLine& cli) {
    auto o = std::make_shared<CutOffsOptions>();
    CLI::App* c = cli.command(
        "cutoffs",
        "Draws front and rear cut-off against the reverse-arm setting over the whole travel.",
        [o] { return runCutOffs(*o); }, cli.render());
    c->footer("Full reverse gear on the left, mid gear in the middle, full forward gear on the "
              "right, in percent of RevArmToCentMax; each half runs its own way. Cut-off is "
              "percent of stroke from each end's dead centre, the front end in blue, the rear "
              "in red, a point every 5 % of the travel.");
    addDimsOption(c, o->dims);
    addDimsOption(c, o->compare, "--compare",
                  "gear B, a second dimension file drawn dashed over the chart, as \"Compare "
                  "With...\" does.")
        ->type_name("B.dco");
    addPictureOutput(c, o->out);
}

} // namespace corvellan
