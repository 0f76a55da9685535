#include "diagrams/PortDiagram.h"

#include "diagrams/DiagramFrame.h"
#include "model/Solver.h"
#include "model/Valve.h"

#include <array>
#include <climits>
#include <initializer_list>
#include <utility>
#include <vector>

namespace corvellan {

namespace {

constexpr int kRows = 19;
constexpr int kSamplesPerRow = 91;
constexpr Real kNoEvent = -1;

// The eight events in the order they are tested.
enum Event {
    FrontSteamOpens,
    FrontExhaustOpens,
    RearSteamOpens,
    RearExhaustOpens,
    FrontSteamCloses,
    FrontExhaustCloses,
    RearSteamCloses,
    RearExhaustCloses,
    EventCount
};

bool isFrontPort(int e) {
    return e == FrontSteamOpens || e == FrontExhaustOpens || e == FrontSteamCloses ||
           e == FrontExhaustCloses;
}

// Columns of the four front-end events found on row 13, for the annotation.
struct PhaseColumns {
    Real admission = 0, cutOff = 0, release = 0, compression = 0;
};

struct PortDraw {
    bool forward;
    std::array<Real, EventCount> last;
    PhaseColumns columns;
};

int satAdd(int a, int b) {
    const long long s = static_cast<long long>(a) + b;
    return s > INT_MAX ? INT_MAX : s < INT_MIN ? INT_MIN : static_cast<int>(s);
}

// Percent of stroke from the port's own dead centre, 0 at x 9 and 100 at 549.
int eventColumn(int e, Ext f) {
    return isFrontPort(e) ? satAdd(roundToInt(0.84375L * f), 9)
                          : satAdd(roundToInt(540 - 0.84375L * f), 9);
}

Rgb portColour(bool forward, bool frontPort) {
    if (forward) return frontPort ? colours::Teal : colours::Red;
    return frontPort ? colours::Green : colours::Maroon;
}

void drawFrame(const Model& m, Canvas& c, bool forward) {
    const TextStyle font = diagramFont();
    c.setPen(colours::Black, 1);
    c.line(9, 42, 9, 353);
    c.line(9, 343, 549, 343);
    c.line(549, 353, 549, 42);
    for (int g = 0; g <= 9; ++g) {
        for (int k = 2; k <= 20; ++k)
            c.line(27 * k - 18, 32 * g + 52, 27 * k - 18, 32 * g + 58);
        for (int k = 2; k <= 10; ++k)
            c.line(54 * k - 45, 32 * g + 45, 54 * k - 45, 32 * g + 65);
        for (int k = 2; k <= 22; ++k)
            c.line(27 * k - 49, 32 * g + 55, 27 * k - 40, 32 * g + 55);
    }
    c.text(420, 47, "Maximum", diagramFont(colours::Red));
    const int yN = roundToInt(343 - static_cast<Ext>(m.frame.RevArmToCentNorm) * 288 /
                                        static_cast<Ext>(m.frame.RevArmToCentMax));
    c.setPen(colours::Blue, 1);
    c.line(59, yN, 650, yN);
    c.text(345, satAdd(yN, -7), "Normal", diagramFont(colours::Blue));
    c.setPen(colours::Black, 1);

    static const struct {
        int x, y;
        const char* text;
    } kTexts[] = {{10, 353, "0"},      {56, 353, "10"},   {110, 353, "20"},
                  {164, 353, "30"},    {218, 353, "40"},  {272, 353, "50"},
                  {326, 353, "60"},    {380, 353, "70"},  {434, 353, "80"},
                  {488, 353, "90"},    {529, 350, "100"}, {200, 367, "Percent Piston Travel"},
                  {568, 350, "Center"}};
    for (const auto& t : kTexts)
        c.text(t.x, t.y, t.text, font);

    static const int kTitleRows[] = {76,  90,  104, 118, 132, 146, 160, 178, 192,
                                     206, 224, 238, 252, 266, 280, 294, 308, 322};
    const std::string title = "REVERSEARMPOSITION";
    for (int k = 0; k < 18; ++k)
        c.text(title[k] == 'I' ? 537 : 535, kTitleRows[k], std::string(1, title[k]), font);

    if (forward) {
        c.text(415, 290, "Fwd.", font);
        c.text(446, 284, "Front Port", diagramFont(portColour(true, true)));
        c.text(446, 296, "Rear Port", diagramFont(portColour(true, false)));
    } else {
        c.text(415, 321, "Rev.", font);
        c.text(446, 315, "Front Port", diagramFont(portColour(false, true)));
        c.text(446, 327, "Rear Port", diagramFont(portColour(false, false)));
    }
}

// Tests the eight events between the previous sample and this one.
void testEvents(Model& m, Canvas& c, PortDraw& d, int row) {
    const ValveQuantities& v = m.valve;
    const ValveEventState& prev = m.events;
    const Real now[4] = {v.FrontSteamOpening, v.FrontExhaustOpening, v.RearSteamOpening,
                         v.RearExhaustOpening};
    const Real before[4] = {prev.prevFrontSteamOpening, prev.prevFrontExhaustOpening,
                            prev.prevRearSteamOpening, prev.prevRearExhaustOpening};
    const Ext p = v.PistonTravelPos;
    const Ext q = prev.prevPistonTravelPos;
    for (int e = 0; e < EventCount; ++e) {
        const bool opens = e < 4;
        const Real D = now[e % 4];
        const Real C = before[e % 4];
        if (opens ? !(D >= 0 && C < 0) : !(D <= 0 && C > 0)) continue;
        const Real f = clampToReal(p - static_cast<Ext>(D) / (static_cast<Ext>(C) - D) * (q - p));
        if (d.last[e] != kNoEvent) {
            c.setPen(portColour(d.forward, isFrontPort(e)), 1);
            c.line(eventColumn(e, d.last[e]), 359 - 16 * row, eventColumn(e, f), 343 - 16 * row);
        }
        d.last[e] = f;
        if (row == 13 && isFrontPort(e)) {
            const Real column = clampToReal(0.84375L * f + 9);
            if (e == FrontSteamOpens) d.columns.admission = column;
            if (e == FrontSteamCloses) d.columns.cutOff = column;
            if (e == FrontExhaustOpens) d.columns.release = column;
            if (e == FrontExhaustCloses) d.columns.compression = column;
        }
    }
}

void drawRow(Model& m, Canvas& c, PortDraw& d, int row) {
    const Ext cen = m.gear.RevArmCen();
    const Ext step = row * static_cast<Ext>(m.frame.RevArmToCentMax) / 18;
    // The forward side lies below RevArmCen.
    m.gear.RevArmPos = clampToReal(d.forward ? cen - step : cen + step);
    const TextStyle font = diagramFont();
    if (d.forward)
        c.text(554, 32, "Forward", font);
    else
        c.text(605, 32, "Rev.", font);
    c.text(d.forward ? 556 : 596, 336 - 16 * row, formatFigure(m.gear.RevArmPos, 7, 3), font);

    m.gear.DriverAngle = 0;
    m.valve.PistonTravelPos = 0;
    m.events.prevPistonTravelPos = 0;
    for (int j = 0; j < kSamplesPerRow; ++j) {
        Real angle = m.gear.DriverAngle;
        if (d.forward) {
            angle += 4;
            while (angle > 360)
                angle -= 360;
        } else {
            angle -= 4;
            while (angle < 0)
                angle += 360;
        }
        m.gear.DriverAngle = angle;
        solve(m);
        computeValve(m);
        if (j > 0) testEvents(m, c, d, row);
        ValveEventState& prev = m.events;
        prev.prevPistonTravelPos = m.valve.PistonTravelPos;
        prev.prevFrontSteamOpening = m.valve.FrontSteamOpening;
        prev.prevFrontExhaustOpening = m.valve.FrontExhaustOpening;
        prev.prevRearSteamOpening = m.valve.RearSteamOpening;
        prev.prevRearExhaustOpening = m.valve.RearExhaustOpening;
    }
}

void drawRows(Model& m, Canvas& c, PortDraw& d) {
    for (int row = 0; row < kRows; ++row)
        drawRow(m, c, d, row);
}

// Polyline through rounded points.
void path(Canvas& c, std::initializer_list<std::pair<Ext, Ext>> points) {
    std::vector<int> xs, ys;
    for (const auto& [x, y] : points) {
        xs.push_back(roundToInt(x));
        ys.push_back(roundToInt(y));
    }
    c.polyline(xs.data(), ys.data(), static_cast<int>(xs.size()));
}

// The front end's cycle traced on rows 13 and above: admission up to
// cut-off (E), expansion to release (X), exhaust back across the chart on
// the row below, compression from exhaust closure (K) to admission (A).
void drawPhaseAnnotation(Canvas& c, const PhaseColumns& col) {
    const TextStyle bold = diagramFont(colours::Black, true);
    const Ext A = col.admission, E = col.cutOff, X = col.release, K = col.compression;
    path(c, {{E - 110, 101},
             {E - 70, 101},
             {E - 20, 135},
             {E, 135},
             {E - 12, 131},
             {E - 12, 139},
             {E, 135}});
    c.text(roundToInt(E + 10), 129, "Exp", bold);
    path(c, {{E + 40, 135}, {X, 135}, {X - 12, 131}, {X - 12, 139}, {X, 135}});
    path(c, {{X + 8, 135}, {549, 135}, {529, 169}, {X - 160, 169}});
    c.text(roundToInt(X - 190), 163, "Exh", bold);
    path(c, {{X - 200, 169},
             {K + 100, 169},
             {K + 50, 135},
             {K, 135},
             {K + 12, 131},
             {K + 12, 139},
             {K, 135}});
    c.text(roundToInt(K - 25), 129, "Com", bold);
    path(c, {{K - 30, 135},
             {A, 135},
             {A + 12, 139},
             {A + 12, 131},
             {A, 135},
             {9, 135},
             {27, 101},
             {E - 150, 101}});
    c.text(roundToInt(E - 140), 95, "Adm", bold);
}

} // namespace

void drawPortDiagram(Model& m, Canvas& c) {
    GearSweep sweep(m);
    PortDraw d;
    d.forward = m.diagrams.PortGraphMode == 'F';
    d.last.fill(kNoEvent);
    drawFrame(m, c, d.forward);
    drawRows(m, c, d);
    if (m.diagrams.PortPhaseArrows) drawPhaseAnnotation(c, d.columns);
    c.setPen(colours::Black, 1);
    drawDiagramHeader(m, c);
}

void drawPortCurves(Model& m, Canvas& c, bool forward) {
    GearSweep sweep(m);
    PortDraw d;
    d.forward = forward;
    d.last.fill(kNoEvent);
    drawRows(m, c, d);
}

void drawPortBothGraphs(Model& m, Canvas& c) {
    m.diagrams.PortGraphMode = 'F';
    c.erase(colours::White);
    drawPortDiagram(m, c);
    m.diagrams.PortGraphMode = 'R';
    m.diagrams.PortPhaseArrows = false;
    drawPortDiagram(m, c);
    m.diagrams.PortPhaseArrows = true;
    m.diagrams.PortGraphMode = 'B';
}

void redrawPortDiagram(Model& m, Canvas& c, bool erase) {
    if (m.diagrams.PortGraphMode == 'B') {
        drawPortBothGraphs(m, c);
        return;
    }
    if (erase) c.erase(colours::White);
    drawPortDiagram(m, c);
}

void choosePortGraph(Model& m, Canvas& c, char mode) {
    if (mode == 'B') {
        drawPortBothGraphs(m, c);
        return;
    }
    m.diagrams.PortGraphMode = mode == 'R' ? 'R' : 'F';
    c.erase(colours::White);
    drawPortDiagram(m, c);
}

} // namespace corvellan
