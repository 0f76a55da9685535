#include "diagrams/SteamDiagram.h"

#include "diagrams/DiagramFrame.h"
#include "model/DiagramPositions.h"
#include "model/Solver.h"
#include "model/Valve.h"

namespace corvellan {

namespace {

constexpr int kWarmUpSamples = 60; // 240 degrees run without drawing
constexpr int kSamples = 150;      // then one revolution drawn
constexpr Ext kAdmissionCap = 303;

// Phases of one cylinder end.
enum : char { Exhaust = '1', Compression = '2', Admission = '3', Expansion = '4' };

struct End {
    bool front;
    char phase;
    Real pressure = 0;
    Real previousPressure = 0;
    Real releasePressure = 0;
    bool labelArmed = true;
};

// The openings of one end and, for the admission rule, the shared value
// that the smallest admitted opening is written back to.
struct Openings {
    Real* steam;
    Real exhaust;
};

Openings openingsOf(Model& m, const End& e) {
    if (e.front) return {&m.valve.FrontSteamOpening, m.valve.FrontExhaustOpening};
    return {&m.valve.RearSteamOpening, m.valve.RearExhaustOpening};
}

Ext fourth(Ext v) {
    return v * v * v * v;
}

void blowDown(End& e) {
    Ext p = static_cast<Ext>(e.pressure) - static_cast<Ext>(e.releasePressure) / 15;
    if (p < 5) p = 5;
    e.pressure = clampToReal(p);
}

void compress(End& e, Ext p, Ext q) {
    const Ext rise = e.front ? fourth(q / (p + 1) + 0.3L) : fourth((640 - q) / (641 - p) + 0.3L);
    e.pressure = clampToReal(e.pressure + rise);
}

void admit(End& e, Real& opening, Ext p) {
    if (opening < 0.005f) opening = 0.005f;
    Ext pressure = e.pressure + opening * 100000.0L / (e.front ? p + 45 : 685 - p);
    if (pressure > kAdmissionCap) pressure = kAdmissionCap;
    e.pressure = clampToReal(pressure);
}

void expand(End& e, Ext p, Ext q) {
    const Ext pressure = e.front ? (q + 100) * e.pressure / (p + 100) * 0.96L
                                 : (740 - q) * e.pressure / (740 - p) * 0.96L;
    e.pressure = clampToReal(pressure);
}

void stepPhase(Model& m, End& e) {
    const Ext p = m.valve.PistonTravelPos;
    const Ext q = m.events.prevPistonTravelPos;
    Openings o = openingsOf(m, e);
    switch (e.phase) {
    case Exhaust:
        if (o.exhaust > 0) {
            blowDown(e);
        } else {
            compress(e, p, q);
            e.phase = Compression;
        }
        break;
    case Compression:
        if (*o.steam > 0) {
            admit(e, *o.steam, p);
            e.phase = Admission;
        } else {
            compress(e, p, q);
        }
        // The piston has passed dead centre and moves away from this end.
        if (e.front ? q < p : q > p) e.phase = Admission;
        break;
    case Admission:
        if (*o.steam > 0) {
            admit(e, *o.steam, p);
        } else {
            expand(e, p, q);
            e.phase = Expansion;
        }
        e.labelArmed = true;
        break;
    case Expansion:
        if (o.exhaust > 0) {
            e.releasePressure = e.pressure;
            blowDown(e);
            e.phase = Exhaust;
        } else {
            expand(e, p, q);
        }
        if (*o.steam > 0) e.phase = Admission;
        break;
    default:
        break;
    }
}

int travelColumn(Ext p) {
    return roundToInt(584 - p * 0.84375L);
}
int pressureRow(Ext pressure) {
    return roundToInt(343 - pressure * 0.9L);
}

void drawEnd(Model& m, Canvas& c, End& e, int n, int i, int curveNumber) {
    const Rgb colour = e.front ? colours::Green : colours::Red;
    const Real opening = e.front ? m.valve.FrontSteamOpening : m.valve.RearSteamOpening;
    const Real previousOpening =
        e.front ? m.events.prevFrontSteamOpening : m.events.prevRearSteamOpening;
    const Ext p = m.valve.PistonTravelPos;
    Real& prevPiston = m.events.prevPistonTravelPos;
    const bool drawn = n > kWarmUpSamples;
    c.setPen(colour, 1);

    if (previousOpening > 0 && opening <= 0) {
        // The steam port closed between the two samples: run the line to the
        // interpolated cut-off point and print the cut-off.
        const Ext q = prevPiston;
        const Ext t =
            static_cast<Ext>(previousOpening) / (static_cast<Ext>(previousOpening) - opening);
        if (drawn && plottable(q) && plottable(p) && plottable(t) &&
            plottable(e.previousPressure)) {
            const int y = pressureRow(e.previousPressure);
            c.line(travelColumn(q), y, roundToInt(584 - q * 0.84375L + (q - p) * t * 0.84375L), y);
        }
        prevPiston = clampToReal(q + (p - q) * t);
        e.pressure =
            clampToReal(e.pressure - t * (static_cast<Ext>(e.pressure) - e.previousPressure));
        const int row = 13 * i + 233;
        c.text(e.front ? 587 : 2, 231, "%CutOff", diagramFont(colour));
        const Ext cutOff =
            e.front ? prevPiston / 6.4L : (640 - static_cast<Ext>(prevPiston)) / 6.4L;
        c.text(e.front ? 588 : 3, row, formatFixed(i, 1, 0), diagramFont());
        c.text(e.front ? 600 : 15, row, formatFigure(cutOff, 4, 1), diagramFont());
    }
    if (drawn && plottable(prevPiston) && plottable(p) && plottable(e.previousPressure) &&
        plottable(e.pressure))
        c.line(travelColumn(prevPiston), pressureRow(e.previousPressure), travelColumn(p),
               pressureRow(e.pressure));
    if (e.phase == Expansion && e.pressure > 150 && e.pressure < 250 && e.labelArmed &&
        plottable(prevPiston)) {
        e.labelArmed = false;
        const int x = roundToInt((e.front ? 568 : 600) - static_cast<Ext>(prevPiston) * 0.84L);
        c.text(x, e.front ? 122 : 135, formatFixed(curveNumber, 1, 0),
               diagramFont(colours::Black, true));
    }
}

void drawPressureTitle(Canvas& c) {
    const TextStyle font = diagramFont();
    // The arrow is built from overlapping glyphs: on white boxes each would
    // blank out part of the one before.
    TextStyle arrow = font;
    arrow.opaque = false;
    // The places fit the classic face. Where the canvas knows the glyphs of
    // the face it draws, they are fitted to it: the shaft stands in the column
    // right of the top of the "/", the "\\" starts in the column right of
    // the shaft, the shaft's top stands one row above the tops of the two (the
    // point of the arrow), and the lower "|" continues the upper one without
    // a gap.
    int backX = 29, barX = 28, upperBarY = 81, lowerBarY = 94;
    const auto slash = c.textInk("/", arrow);
    const auto back = c.textInk("\\", arrow);
    const auto bar = c.textInk("|", arrow);
    if (slash && back && bar && slash->right > slash->left && bar->bottom > bar->top) {
        const int apexX = 24 + slash->right;
        const int apexY = 77 + slash->top - 1;
        backX = apexX + 1 - back->left;
        barX = apexX - bar->left;
        upperBarY = apexY - bar->top;
        lowerBarY = upperBarY + (bar->bottom - bar->top);
    }
    c.text(24, 77, "/", arrow);
    c.text(backX, 77, "\\", arrow);
    c.text(barX, upperBarY, "|", arrow);
    c.text(barX, lowerBarY, "|", arrow);
    static const int kRows[] = {108, 123, 136, 149, 162, 175, 188, 201};
    const char* cylinder = "CYLINDER";
    const char* pressure = "PRESSURE";
    for (int k = 0; k < 8; ++k)
        c.text(cylinder[k] == 'I' ? 22 : 20, kRows[k], std::string(1, cylinder[k]), font);
    for (int k = 0; k < 8; ++k)
        c.text(32, kRows[k], std::string(1, pressure[k]), font);
}

void drawSteamFrame(const Model& m, Canvas& c) {
    const TextStyle font = diagramFont();
    drawPistonTravelGrid(c);
    c.line(44, 70, 44, 346);
    c.line(584, 70, 584, 346);
    drawPressureTitle(c);
    drawPercentAxisTexts(c, 350);
    c.text(186, 364, "Percent Piston Travel", font);
    c.text(386, 364, "Forward End --->", font);
    c.line(45, 343, 585, 343);
    drawPositionsHeader(m, c);
}

} // namespace

void drawSteamDiagram(Model& m, Canvas& c) {
    c.setPen(colours::Black, 1);
    drawSteamFrame(m, c);
    drawSteamCurves(m, c);
    c.setPen(colours::Black, 1);
    drawDiagramHeader(m, c);
}

void drawSteamCurves(Model& m, Canvas& c) {
    GearSweep sweep(m);
    End front{true, Exhaust};
    End rear{false, Admission};
    m.events.prevPistonTravelPos = 0;
    m.valve.PistonTravelPos = 0;
    m.gear.DriverAngle = 96;
    int curveNumber = 0;

    const int count = plottedPositionCount(m);
    for (int i = 1; i <= count; ++i) {
        const Real position = m.gear.RevArmPositions[i];
        sweep.plot(position);
        ++curveNumber;
        front.labelArmed = rear.labelArmed = true;
        drawPositionLegendRow(m, c, i, position);
        // Mid gear itself turns the driver backwards, like a reverse setting.
        const bool backwards = m.gear.RevArmPos >= m.gear.RevArmCen();
        for (int n = 1; n <= kSamples; ++n) {
            Real angle = m.gear.DriverAngle;
            if (backwards) {
                angle -= 4;
                while (angle < 0)
                    angle += 360;
            } else {
                angle += 4;
                while (angle > 360)
                    angle -= 360;
            }
            m.gear.DriverAngle = angle;
            solve(m);
            computeValve(m);
            stepPhase(m, front);
            stepPhase(m, rear);
            if (front.previousPressure != 0) {
                drawEnd(m, c, front, n, i, curveNumber);
                drawEnd(m, c, rear, n, i, curveNumber);
            }
            m.events.prevPistonTravelPos = m.valve.PistonTravelPos;
            front.previousPressure = front.pressure;
            rear.previousPressure = rear.pressure;
            m.events.prevFrontSteamOpening = m.valve.FrontSteamOpening;
            m.events.prevRearSteamOpening = m.valve.RearSteamOpening;
        }
    }
}

} // namespace corvellan
