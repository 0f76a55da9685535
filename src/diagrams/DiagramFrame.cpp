#include "diagrams/DiagramFrame.h"

#include "model/DiagramPositions.h"
#include "model/DynVars.h"

namespace corvellan {

TextStyle diagramFont(Rgb colour, bool bold) {
    TextStyle s;
    s.colour = colour;
    s.pixelSize = 11;
    s.bold = bold;
    s.opaque = true;
    return s;
}

int scaledTextX(const Model& m, int x) {
    return roundToInt(static_cast<Ext>(x) * m.display.textScaleH);
}

int scaledTextY(const Model& m, int y) {
    return roundToInt(static_cast<Ext>(y) * m.display.textScaleV);
}

void plotEachPosition(Model& m, Canvas& c, const std::function<void(int)>& curve) {
    GearSweep sweep(m);
    const int count = plottedPositionCount(m);
    for (int i = 1; i <= count; ++i) {
        const Real position = m.gear.RevArmPositions[i];
        sweep.plot(position);
        drawPositionLegendRow(m, c, i, position);
        curve(i);
    }
}

PixelBox scaledBox(const Model& m, int left, int top, int width, int height) {
    const int l = scaledTextX(m, left), t = scaledTextY(m, top);
    return {l, t, scaledTextX(m, left + width) - l, scaledTextY(m, top + height) - t};
}

PixelBox diagramPictureSize(const Model& m, int height) {
    return scaledBox(m, 0, 0, kDiagramWidth, height);
}

void drawPositionsHeader(const Model& m, Canvas& c) {
    const TextStyle font = diagramFont();
    c.text(scaledTextX(m, 500), 0, "Reverse Arm Positions", font);
    c.text(scaledTextX(m, 520), 13, "Center", font);
    c.text(scaledTextX(m, 580), 13, formatFigure(m.gear.RevArmCen(), 6, 3), font);
}

void drawPositionLegendRow(const Model& m, Canvas& c, int i, Real position) {
    const TextStyle font = diagramFont();
    const int y = roundToInt(static_cast<Ext>(i) * m.display.textScaleV * 12 + 12);
    c.text(scaledTextX(m, 545), y, formatFixed(i, 5, 0), font);
    c.text(scaledTextX(m, 580), y, formatFigure(position, 6, 3), font);
    const Real cen = m.gear.RevArmCen();
    const char* side = position == cen ? "Cen" : position > cen ? "Rev" : "Fwd";
    c.text(scaledTextX(m, 533), y, side, font);
}

void drawPistonTravelGrid(Canvas& c) {
    for (int r = 1; r <= 9; ++r) {
        for (int k = 2; k <= 20; ++k)
            c.line(27 * k + 17, 32 * r + 52, 27 * k + 17, 32 * r + 58);
        for (int k = 2; k <= 10; ++k)
            c.line(54 * k - 10, 32 * r + 50, 54 * k - 10, 32 * r + 60);
    }
}

void drawPercentAxisTexts(Canvas& c, int y) {
    const TextStyle font = diagramFont();
    static const struct {
        int x;
        const char* text;
    } kTexts[] = {{45, "100"}, {91, "90"},  {145, "80"}, {199, "70"}, {253, "60"},
                  {307, "50"}, {361, "40"}, {415, "30"}, {469, "20"}, {523, "10"}};
    for (const auto& t : kTexts)
        c.text(t.x, y, t.text, font);
    c.text(577, 348, "0", font);
}

void drawDiagramHeader(Model& m, Canvas& c) {
    const TextStyle font = diagramFont();
    const int x = scaledTextX(m, 235);
    if (m.dyn.DynVarsShown) {
        if (dynSlotEmpty(m, 1)) {
            const TextStyle red = diagramFont(colours::Red);
            c.text(x, 2, "*******************************", red);
            c.text(x, scaledTextY(m, 12), "* First Select Dimensions *", red);
            c.text(x, scaledTextY(m, 26), "*******************************", red);
        } else {
            static const int kRows[] = {2, 14, 26, 38};
            for (int k = 1; k <= 4; ++k) {
                const DynVarSlot& slot = m.dyn.slots[k];
                c.text(x, kRows[k - 1], slot.name, font);
                c.text(scaledTextX(m, 363), kRows[k - 1], formatFigure(slot.value, 6, 3), font);
            }
        }
    }
    if (m.dyn.UndoShown) {
        const int ux = scaledTextX(m, 150);
        const int uy = scaledTextY(m, 55);
        c.text(ux, uy, m.dyn.UndoLine, font);
        // The trailing blanks cover the end of a longer line drawn before.
        m.dyn.UndoLine = undoLine(m) + std::string(46, ' ');
        if (m.dyn.DynVarsShown) c.text(ux, uy, m.dyn.UndoLine, font);
    }
}

DiagramHeaderControls diagramHeaderControls(const Model& m) {
    DiagramHeaderControls h;
    h.dynBarsVisible = m.dyn.DynVarsShown;
    for (int k = 1; k <= 4; ++k)
        h.dynBarEnabled[k - 1] = !dynSlotEmpty(m, k);
    h.undoButtonVisible = m.dyn.UndoShown;
    return h;
}

TextStyle diagramPositionsFont() {
    // The dialog's font is 14 pixels from line to line: 12 pixels of face,
    // which also keeps the five limit legends, 65 pixels apart, clear of one
    // another.
    TextStyle font = diagramFont();
    font.pixelSize = 12;
    return font;
}

void drawDiagramPositionsLegends(const Model& m, Canvas& c) {
    const TextStyle font = diagramPositionsFont();
    const auto limits = diagramLimitLegends(m);
    static const int kLimitX[] = {10, 75, 140, 205, 270};
    for (int k = 0; k < 5; ++k)
        c.text(scaledTextX(m, kLimitX[k]), 4, limits[k], font);
    c.text(scaledTextX(m, 13), scaledTextY(m, 98), "Max of 9 Positions", font);
    for (int slot = 1; slot <= kMaxDiagramPositions; ++slot) {
        if (!diagramSlotVisible(m, slot)) continue;
        const int x = slot <= 4 ? 13 : 165;
        const int y = slot <= 4 ? 25 + 13 * slot : 25 + 13 * (slot - 5);
        c.text(scaledTextX(m, x), scaledTextY(m, y), "Rev Arm Position  " + std::to_string(slot),
               font);
    }
    c.text(scaledTextX(m, 13), scaledTextY(m, 25), "Vertical Scale", font);
}

} // namespace corvellan
