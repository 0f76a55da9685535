#include "app/RenderCommand.h"

#include "app/CliSupport.h"
#include "model/Model.h"
#include "model/SoundSink.h"
#include "platform/QPainterCanvas.h"
#include "platform/SvgCanvas.h"
#include "view/MechanismView.h"
#include "view/RecordingCanvas.h"
#include "view/Tick.h"

#include <QGuiApplication>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace corvellan {

namespace {

// The main window's client area: what the window shows of the picture.
constexpr int kClientWidth = 632;
constexpr int kClientHeight = 380;

struct RenderOptions {
    std::string dims, out;
    Ext angle = 0, revArm = 0;
    bool haveRevArm = false, steam = false, screenData = true;
};

bool endsWith(std::string s, const std::string& tail) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

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
        else if (opt == "-o")
            o.out = in.value(opt);
        else
            in.fail("unknown option " + opt);
    }
    if (in.ok() && o.out.empty()) in.fail("render mechanism needs -o OUT.png or -o OUT.svg");
    if (in.ok() && !endsWith(o.out, ".png") && !endsWith(o.out, ".svg"))
        in.fail("the output must end in .png or .svg: " + o.out);
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
    initialiseModel(m);
    if (!o.dims.empty() && !loadDimensions(m, o.dims, &error)) return inputError(error);
    if (o.haveRevArm) {
        m.gear.RevArmPos = clampToReal(o.revArm);
        m.gear.Direction = m.gear.RevArmPos > m.gear.RevArmCen() ? "Rev" : "Fwd";
    }
    m.display.steamDisplay = o.steam;
    m.display.screenData = o.screenData;
    ensureGuiApplication();
    if (endsWith(o.out, ".svg")) {
        SvgCanvas svg(o.out, kClientWidth, kClientHeight);
        if (!svg.ok()) return inputError("cannot create " + o.out);
        drawFrame(m, o, svg);
        if (!svg.finish()) return inputError("cannot write " + o.out);
        return 0;
    }
    QPainterCanvas picture;
    drawFrame(m, o, picture);
    if (!picture.image()
             .copy(0, 0, kClientWidth, kClientHeight)
             .save(QString::fromStdString(o.out), "PNG"))
        return inputError("cannot write " + o.out);
    return 0;
}

} // namespace corvellan
