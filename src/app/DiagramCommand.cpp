// corvellan render sine|oval|steam|ports: a valve diagram drawn as its
// window does, with gear B over it when one is given.
#include "app/Commands.h"

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

#include <memory>

namespace corvellan {

namespace {

constexpr int kDiagramHeight = 414;
constexpr int kOvalHeight = 426;

struct DiagramOptions {
    std::string which; // sine, oval, steam or ports
    std::string dims, out;
    std::string compare; // gear B, drawn over the diagram
    std::optional<std::vector<Ext>> positions;
    std::optional<Ext> scale;
    bool largeFont = false;
    std::string mode = "F";
};

// The positions as the positions dialog would leave them had they been
// typed there: clamped, contiguous, counted, each change said. Without
// --positions the dialog only refreshes, which counts the leading slots the
// gear already holds (the three of mid gear and normal travel, and whatever a
// file adds after them).
void applyPositions(Model& m, const DiagramOptions& o) {
    if (o.positions) {
        const Ext cen = m.gear.RevArmCen(), max = m.frame.RevArmToCentMax;
        const std::string travel = "lies beyond the reverse arm's travel (" +
                                   shortestText(cen - max) + " to " + shortestText(cen + max) + ")";
        const std::vector<Ext>& given = *o.positions;
        for (int slot = 1; slot <= kMaxDiagramPositions; ++slot) {
            const size_t k = static_cast<size_t>(slot - 1);
            if (k >= given.size()) {
                m.gear.RevArmPositions[slot] = 0;
                continue;
            }
            const Real stored = clampDiagramPosition(m, slot, given[k]);
            if (given[k] == 0 && slot == 1)
                warnAdjusted(adjustedText("--positions", 0,
                                          "cannot be the first position (0 marks an empty one)",
                                          stored));
            else if (given[k] == 0 && k + 1 < given.size())
                warnAdjusted("--positions: a 0 marks an empty position, as in the positions "
                             "dialog; the positions after it are not drawn");
            else if (given[k] != 0 && stored != clampToReal(given[k]))
                warnAdjusted(adjustedText("--positions", given[k], travel, stored));
            m.gear.RevArmPositions[slot] = stored;
        }
    }
    refreshDiagramPositions(m);
    if (o.scale) {
        Real scale = storedValue("--scale", *o.scale);
        if (scale < kMinVerticalScale) {
            warnAdjusted(adjustedText("--scale", *o.scale, "is below the smallest scale",
                                      kMinVerticalScale));
            scale = kMinVerticalScale;
        } else if (scale > kMaxDrawnVerticalScale) {
            warnAdjusted(adjustedText("--scale", *o.scale, "is above the largest scale drawn",
                                      kMaxDrawnVerticalScale));
        }
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

int runDiagram(const DiagramOptions& o) {
    Model m;
    std::string error;
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
    const PixelBox size = diagramPictureSize(m, o.which == "oval" ? kOvalHeight : kDiagramHeight);
    ensureGuiApplication();
    Picture picture;
    picture.size = QSize(size.width, size.height);
    picture.title = QStringLiteral("CORVELLAN Outside Admission");
    picture.draw = [&](Canvas& c) { draw(m, o.which, o.mode[0], c, compared); };
    return writePicture(o.out, picture);
}

struct DiagramKindText {
    const char* name;
    const char* purpose;
};

const DiagramKindText kDiagrams[] = {
    {"sine", "Draws the sine diagram: valve travel against driver rotation at each position."},
    {"oval", "Draws the oval diagram: valve travel against piston travel at each position."},
    {"steam", "Draws the steam diagram: a simulated indicator diagram with the cut-offs at each "
              "position."},
    {"ports", "Draws the port events diagram: where each port opens and closes over the whole "
              "reverse-arm travel."},
};

void addDiagram(CommandLine& cli, const DiagramKindText& kind) {
    auto o = std::make_shared<DiagramOptions>();
    o->which = kind.name;
    CLI::App* c = cli.command(
        kind.name, kind.purpose, [o] { return runDiagram(*o); }, cli.render());
    addDimsOption(c, o->dims);
    const std::string which = kind.name;
    const bool usesPositions = which != "ports", usesScale = which == "sine" || which == "oval";
    addNumberListOption(c, "--positions", o->positions, "a,b,c",
                        usesPositions
                            ? "the reverse-arm settings drawn, in the gear's length unit (mid "
                              "gear is RevArmCen, forward lies below it), as the positions "
                              "dialog takes them: each brought into the reverse arm's travel; a "
                              "0 is an empty position and ends the list."
                            : "taken as the other diagrams take them; the port events diagram "
                              "draws 19 settings of its own and does not use them.",
                        "the gear's diagram positions (mid gear and the normal settings forward "
                        "and reverse, and any the dimension file adds)",
                        kMaxDiagramPositions);
    addNumberOption(c, "--scale", o->scale, "S",
                    usesScale ? "vertical scale: a valve travel of one length unit is drawn "
                                "375 / S pixels high (250 at 1.5); at least 0.1."
                              : "the vertical scale of the sine and oval diagrams; this diagram "
                                "does not use it.",
                    "the gear's (1.5 for the nominal gear)");
    if (which == "ports")
        addChoiceOption(c, "--mode", o->mode, {"F", "R", "B"},
                        "which graph: F the forward graph (mid gear out to full forward gear), "
                        "R the reverse graph, B both superimposed.",
                        "F");
    addFlag(c, "--large-font", o->largeFont,
            "draw at the large text scale, as \"SetLargeFont\" does; the picture grows with it.");
    addDimsOption(c, o->compare, "--compare",
                  "gear B, a second dimension file drawn dashed in fuchsia over the diagram, "
                  "as \"Compare With...\" does.")
        ->type_name("B.dco");
    addPictureOutput(c, o->out);
}

} // namespace

void addRenderDiagramCommands(CommandLine& cli) {
    for (const DiagramKindText& kind : kDiagrams)
        addDiagram(cli, kind);
}

} // namespace corvellan
