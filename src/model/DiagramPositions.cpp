#include "model/DiagramPositions.h"

#include <cmath>

namespace corvellan {

void refreshDiagramPositions(Model& m) {
    auto& slots = m.gear.RevArmPositions;
    // The count is the number of leading non-zero slots, so it starts from 0
    // rather than keeping a count left from slots since emptied.
    int count = 0;
    for (int k = 1; k <= kMaxDiagramPositions - 1; ++k) {
        if (slots[k] != 0)
            count = k;
        else
            slots[k + 1] = 0;
    }
    if (slots[kMaxDiagramPositions] != 0) count = kMaxDiagramPositions;
    m.diagrams.RevArmPosCount = count;
}

bool diagramSlotVisible(const Model& m, int slot) {
    if (slot == 1) return true;
    if (slot < 2 || slot > kMaxDiagramPositions) return false;
    return m.gear.RevArmPositions[slot - 1] != 0;
}

std::string diagramBoxText(const Model& m, int box) {
    if (box == kScaleBox) return formatFixed(m.diagrams.VerticalScale, 5, 3);
    if (box < 1 || box > kMaxDiagramPositions) return {};
    return formatFixed(m.gear.RevArmPositions[box], 5, 3);
}

bool acceptDiagramPositionKey(const std::string& text, char key) {
    if (key >= '0' && key <= '9') return true;
    if (key == '\b') return true;
    if (key == '-' || key == '.') return text.find(key) == std::string::npos;
    return false;
}

int slotOpenedByKey(int box) {
    return box >= 1 && box <= kMaxDiagramPositions - 1 ? box + 1 : 0;
}

Real clampDiagramPosition(const Model& m, int slot, Ext value) {
    if (value == 0) {
        if (slot != 1) return 0;
        value = 0.001L;
    }
    const Ext cen = m.gear.RevArmCen();
    const Ext lower = cen - m.frame.RevArmToCentMax;
    const Ext upper = cen + m.frame.RevArmToCentMax;
    if (value < lower) value = lower;
    if (value > upper) value = upper;
    return clampToReal(value);
}

void leaveDiagramPositionBox(Model& m, int box, const std::string& text) {
    // An empty box, a lone "-" or "." and the like all read as 0.
    bool ok = false;
    Ext value = parseReal(text, &ok);
    if (!ok) value = 0;
    if (box == kScaleBox) {
        Real scale = clampToReal(value);
        if (!(scale >= kMinVerticalScale)) scale = kMinVerticalScale;
        m.diagrams.VerticalScale = scale;
        return;
    }
    if (box < 1 || box > kMaxDiagramPositions) return;
    m.gear.RevArmPositions[box] = clampDiagramPosition(m, box, value);
}

std::array<std::string, 5> diagramLimitLegends(const Model& m) {
    const Ext cen = m.gear.RevArmCen();
    const Ext norm = m.frame.RevArmToCentNorm;
    const Ext max = m.frame.RevArmToCentMax;
    return {"Max " + formatFixed(cen + max, 5, 3), "Rev " + formatFixed(cen + norm, 5, 3),
            "Cent " + formatFixed(cen, 5, 3), "Fwd " + formatFixed(cen - norm, 5, 3),
            "Min " + formatFixed(cen - max, 5, 3)};
}

int plottedPositionCount(const Model& m) {
    const int n = m.diagrams.RevArmPosCount;
    if (n < 0) return 0;
    return n > kMaxDiagramPositions ? kMaxDiagramPositions : n;
}

Real drawnVerticalScale(const Model& m) {
    const Real s = m.diagrams.VerticalScale;
    if (!(s >= kMinVerticalScale)) return kMinVerticalScale;
    return s > kMaxDrawnVerticalScale ? kMaxDrawnVerticalScale : s;
}

} // namespace corvellan
