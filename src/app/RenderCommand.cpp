#include "app/RenderCommand.h"

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

namespace corvellan {

namespace {

// The main window's client area: what the window shows of the picture.
constexpr int kClientWidth = 632;
constexpr int kClientHeight = 380;

// The moving pivots whose paths --paths draws when no --pivots are given:
// crank pin, crosshead, eccentric pin, valve-rod joint, lever top, link foot.
const char* const kDefaultPathPivots = "2,3,5,6,7,11";

struct RenderOptions {
    std::string dims, out, pivots;
    Ext angle = 0, revArm = 0;
    bool haveRevArm = false, steam = false, screenData = true, paths = false;
};

bool readOptions(const std::vector<std::string>& args, RenderOptions& o, std::string* error) {
    ArgReader in(args);
    while (in.more()) {
        const std::string opt = in.next();
        if (opt == "--dims")
            o.dims = in.value(opt);
        else if (opt == "--angle")
            o.angle = in.number(opt);
        else if (opt == "--revarm")
            o.revArm = in.number(opt), o.haveRevArm = true;
        else if (opt == "--steam")
            o.steam = true;
        else if (opt == "--no-screen-data")
            o.screenData = false;
        else if (opt == "--paths")
            o.paths = true;
        else if (opt == "--pivots")
            o.pivots = in.value(opt);
        else if (opt == "-o")
            o.out = in.value(opt);
        else
            in.fail("unknown option " + opt);
    }
    if (in.ok() && o.out.empty()) in.fail("render mechanism needs -o OUT.png, OUT.svg or OUT.pdf");
    checkPictureName(in, o.out);
    *error = in.error();
    return in.ok();
}

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
    m.gear.DriverAngle = clampToReal(o.angle);
    if (o.steam) warmUp(m, f, silence);
    m.gear.DriverAngle = clampToReal(o.angle);
    m.gear.StepAngle = 0;
    runTick(m, f, c, silence);
}

} // namespace

int renderMechanismCommand(const std::vector<std::string>& args) {
    RenderOptions o;
    std::string error;
    if (!readOptions(args, o, &error)) return usageError(error);
    Model m;
    if (!loadGear(m, o.dims, &error)) return inputError(error);
    if (o.haveRevArm) {
        m.gear.RevArmPos = clampToReal(o.revArm);
        m.gear.Direction = m.gear.RevArmPos > m.gear.RevArmCen() ? "Rev" : "Fwd";
    }
    if (!o.pivots.empty() || o.paths) {
        if (!readPivotSlots(o.pivots.empty() ? kDefaultPathPivots : o.pivots, m, &error))
            return usageError(error);
    }
    m.pivotData.pathsShown = o.paths;
    m.display.steamDisplay = o.steam;
    m.display.screenData = o.screenData;
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

} // namespace corvellan
