// corvellan render mechanism: one frame of the main window's picture.
#include "app/Commands.h"

#include "app/CliSupport.h"
#include "model/Model.h"
#include "model/SoundSink.h"
#include "platform/PictureFile.h"
#include "platform/QPainterCanvas.h"
#include "view/MechanismView.h"
#include "view/RecordingCanvas.h"
#include "view/Tick.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

namespace corvellan {

namespace {

// The main window's client area: what the window shows of the picture.
constexpr int kClientWidth = 632;
constexpr int kClientHeight = 380;

// The moving pivots whose paths --paths draws when no --pivots are given:
// crank pin, crosshead, eccentric pin, valve-rod joint, lever top, link foot.
const std::vector<int> kDefaultPathPivots = {2, 3, 5, 6, 7, 11};

struct RenderOptions {
    std::string dims, out;
    std::optional<std::vector<int>> pivots;
    std::optional<Ext> angle, revArm;
    bool steam = false, noScreenData = false, paths = false;
};

// One full turn at the running step, so the steam levels build up. Its
// frames are thrown away.
void warmUp(Model& m, FrameState& f, SoundSink& sound) {
    const int ticks = 360 / 10;
    RecordingCanvas scratch;
    scratch.setKeepPixels(false);
    m.gear.StepAngle = 10;
    for (int i = 0; i < ticks; ++i) {
        runTick(m, f, scratch, sound);
        scratch.clear();
    }
}

// The frame as the window shows it after a stop at the angle.
void drawFrame(Model& m, const RenderOptions& o, Canvas& c) {
    FrameState f;
    SilentSound silence;
    const Real angle = clampToReal(o.angle.value_or(0));
    m.gear.DriverAngle = angle;
    if (o.steam) warmUp(m, f, silence);
    m.gear.DriverAngle = angle;
    m.gear.StepAngle = 0;
    runTick(m, f, c, silence);
}

int runMechanism(const RenderOptions& o) {
    Model m;
    std::string error;
    if (!loadGear(m, o.dims, &error)) return inputError(error);
    if (o.angle) storedValue("--angle", *o.angle);
    if (o.revArm) {
        m.gear.RevArmPos = storedValue("--revarm", *o.revArm);
        m.gear.Direction = m.gear.RevArmPos > m.gear.RevArmCen() ? "Rev" : "Fwd";
    }
    if (o.pivots)
        applyPivotSlots(*o.pivots, m);
    else if (o.paths)
        applyPivotSlots(kDefaultPathPivots, m);
    m.pivotData.pathsShown = o.paths;
    m.display.steamDisplay = o.steam;
    m.display.screenData = !o.noScreenData;
    ensureGuiApplication();
    Picture picture;
    picture.size = QSize(kClientWidth, kClientHeight);
    picture.title = QStringLiteral("CORVELLAN Outside Admission");
    picture.draw = [&](Canvas& c) { drawFrame(m, o, c); };
    // The window's picture is the 1280 x 1024 frame seen through the client
    // area.
    picture.pixels = [&] {
        QPainterCanvas frame;
        drawFrame(m, o, frame);
        return frame.image().copy(0, 0, kClientWidth, kClientHeight);
    };
    return writePicture(o.out, picture);
}

} // namespace

void addRenderMechanismCommand(CommandLine& cli) {
    auto o = std::make_shared<RenderOptions>();
    CLI::App* c = cli.command(
        "mechanism",
        "Draws the main window's picture of the mechanism at one angle and "
        "setting (its 632 x 380 client area).",
        [o] { return runMechanism(*o); }, cli.render());
    addDimsOption(c, o->dims);
    addNumberOption(c, "--angle", o->angle, "DEG",
                    "driver angle in degrees: 0 at front dead centre, growing as the gear runs "
                    "forward.",
                    "0");
    addNumberOption(c, "--revarm", o->revArm, "X",
                    "reverse-arm setting (RevArmPos) in the gear's length unit: mid gear is "
                    "RevArmCen, forward lies below it, reverse above; the gear runs forward at "
                    "mid gear and below.",
                    "mid gear");
    addFlag(c, "--steam", o->steam,
            "show the steam display, after one full turn so the steam has built up.");
    addFlag(c, "--no-screen-data", o->noScreenData, "leave out the panel of valve figures.");
    addFlag(c, "--paths", o->paths, "draw the closed paths the chosen pivots trace over one turn.");
    addPivotsOption(c, o->pivots,
                    "the pivots of slots 1 to 6 (numbers 0 to 26), shown in the pivot panel and, "
                    "with --paths, traced.",
                    "none; with --paths 2,3,5,6,7,11 (crank pin, crosshead, eccentric pin, "
                    "valve-rod joint, lever top, link foot)");
    addPictureOutput(c, o->out);
}

} // namespace corvellan
