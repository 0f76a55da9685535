#include "app/DiagramCommand.h"

#include "app/CliSupport.h"
#include "diagrams/CompareOverlay.h"
#include "diagrams/DiagramFrame.h"
#include "diagrams/OvalDiagram.h"
#include "diagrams/PortDiagram.h"
#include "diagrams/SineDiagram.h"
#include "diagrams/SteamDiagram.h"
#include "model/DiagramPositions.h"
#include "model/Model.h"
#include "model/Solver.h"
#include "model/Valve.h"
#include "platform/PictureFile.h"

#include <QGuiApplication>

#include <cmath>
#include <cstdlib>

namespace corvellan {

namespace {

constexpr int kDiagramHeight = 414;
constexpr int kOvalHeight = 426;

struct DiagramOptions {
    std::string dims, out;
    std::string compare; // gear B, drawn over the diagram
    std::vector<Ext> positions;
    bool havePositions = false;
    Ext scale = 0;
    bool haveScale = false;
    bool largeFont = false;
    char mode = 'F';
};

bool readOptions(const std::string& which, const std::vector<std::string>& args, DiagramOptions& o,
                 std::string* error) {
    ArgReader in(args);
    bool haveMode = false;
    while (in.more()) {
        const std::string opt = in.next();
        if (opt == "--dims")
            o.dims = in.value(opt);
        else if (opt == "--compare")
            o.compare = in.value(opt);
        else if (opt == "--positions") {
            in.numbers(opt, o.positions);
            if (in.ok() && o.positions.size() > static_cast<size_t>(kMaxDiagramPositions))
                in.fail("--positions takes at most 9 positions");
            o.havePositions = true;
        } else if (opt == "--scale")
            o.scale = in.number(opt), o.haveScale = true;
        else if (opt == "--mode") {
            const std::string mode = in.value(opt);
            if (in.ok() && mode != "F" && mode != "R" && mode != "B")
                in.fail("--mode needs F, R or B, not \"" + mode + "\"");
            if (in.ok()) o.mode = mode[0];
            haveMode = true;
        } else if (opt == "--large-font")
            o.largeFont = true;
        else if (opt == "-o")
            o.out = in.value(opt);
        else
            in.fail("unknown option " + opt);
    }
    if (in.ok() && haveMode && which != "ports") in.fail("--mode applies to render ports only");
    if (in.ok() && o.out.empty())
        in.fail("render " + which + " needs -o OUT.png, OUT.svg or OUT.pdf");
    checkPictureName(in, o.out);
    *error = in.error();
    return in.ok();
}

// The positions as the positions dialog would leave them had they been
// typed there: clamped, contiguous, counted. Without --positions the dialog
// only refreshes, which counts the leading slots the gear already holds (the
// three of mid gear and normal travel, and whatever a file adds after them).
void applyPositions(Model& m, const DiagramOptions& o) {
    if (o.havePositions) {
        for (int slot = 1; slot <= kMaxDiagramPositions; ++slot) {
            const size_t k = static_cast<size_t>(slot - 1);
            m.gear.RevArmPositions[slot] =
                k < o.positions.size() ? clampDiagramPosition(m, slot, o.positions[k]) : 0;
        }
    }
    refreshDiagramPositions(m);
    if (o.haveScale) {
        Real scale = clampToReal(o.scale);
        if (scale < kMinVerticalScale) scale = kMinVerticalScale;
        m.diagrams.VerticalScale = scale;
    }
}

void draw(Model& m, const std::string& which, char mode, Canvas& c, const Model* gearB) {
    c.erase(colours::White);
    if (which == "sine")
        drawSineDiagram(m, c);
    else if (which == "oval")
        drawOvalDiagram(m, c);
    else if (which == "steam")
        drawSteamDiagram(m, c);
    else
        choosePortGraph(m, c, mode);
    if (!gearB) return;
    const DiagramKind kind = which == "sine"    ? DiagramKind::Sine
                             : which == "oval"  ? DiagramKind::Oval
                             : which == "steam" ? DiagramKind::Steam
                                                : DiagramKind::Ports;
    drawComparison(kind, m, *gearB, c);
}

} // namespace

int renderDiagramCommand(const std::string& which, const std::vector<std::string>& args) {
    if (which != "sine" && which != "oval" && which != "steam" && which != "ports")
        return usageError("render draws mechanism, sine, oval, steam or ports, not " + which);
    DiagramOptions o;
    std::string error;
    if (!readOptions(which, args, o, &error)) return usageError(error);
    Model m;
    if (!loadGear(m, o.dims, &error)) return inputError(error);
    Model gearB;
    if (!loadGear(gearB, o.compare, &error)) return inputError(error);
    const Model* compared = o.compare.empty() ? nullptr : &gearB;
    applyPositions(m, o);
    m.display.setLargeText(o.largeFont);
    // The window draws over a gear the animation has already solved: the
    // port-edge levels are those of the latest solve.
    solve(m);
    computeValve(m);

    // The picture grows with the text scale, as the window does.
    const PixelBox size = diagramPictureSize(m, which == "oval" ? kOvalHeight : kDiagramHeight);
    ensureGuiApplication();
    Picture picture;
    picture.size = QSize(size.width, size.height);
    picture.title = QStringLiteral("CORVELLAN Outside Admission");
    picture.draw = [&](Canvas& c) { draw(m, which, o.mode, c, compared); };
    return writePicture(o.out, picture);
}

} // namespace corvellan
