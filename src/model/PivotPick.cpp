#include "model/PivotPick.h"

#include <cmath>
#include <string>

namespace corvellan {

namespace {

// Pivot index of slot k; an unusable number reads as pivot 0.
int slotPivot(const Model& m, int k) {
    const int p = pivotIndex(m.pivotData.slotPivot[k]);
    return p < 0 ? 0 : p;
}

std::string number(Ext v) {
    return formatFigure(v, 7, 3);
}

} // namespace

void setPivotDataMode(Model& m, bool on) {
    m.pivotData.mode = on;
    if (on && !m.refPoints.mode) toggleRefPointMode(m);
}

void togglePivotDataMode(Model& m) {
    setPivotDataMode(m, !m.pivotData.mode);
}

int pivotIndex(Real number) {
    if (!std::isfinite(number)) return -1;
    const int p = roundToInt(number);
    return p >= 0 && p < kPivotCount ? p : -1;
}

int nearestPivot(const Model& m, Ext x, Ext y, int lastPivot, int previous) {
    Ext best = 10000;
    int nearest = previous;
    if (lastPivot >= kPivotCount) lastPivot = kPivotCount - 1;
    for (int i = 1; i <= lastPivot; ++i) {
        if (i == 19 || i == 20) continue;
        const Ext d = std::fabs(y - m.pivots.Y[i]) + std::fabs(x - m.pivots.X[i]);
        if (d < best) {
            best = d;
            nearest = i;
        }
    }
    return nearest;
}

int slotAt(const Model& m, int x, int y) {
    const Ext sh = m.display.textScaleH, sv = m.display.textScaleV;
    if (x < 1 || x >= roundToInt(sh * 20)) return 0;
    for (int k = 1; k <= kPivotSlots; ++k) {
        if (roundToInt(sv * (142 + 10 * k)) < y && y < roundToInt(sv * (151 + 10 * k))) return k;
    }
    return 0;
}

bool armSlotAt(Model& m, int x, int y, MouseButton button) {
    const int k = button == MouseButton::Left ? slotAt(m, x, y) : 0;
    if (k == 0) return false;
    m.pivotData.armedSlot = k;
    m.pivotData.slotShown[k] = true;
    m.pivotData.pickPending = true;
    return true;
}

void pickPivotAt(Model& m, int x, int y) {
    setRefPointAtPixel(m, 1, x, y);
    PivotDataState& d = m.pivotData;
    d.nearestPivot = nearestPivot(m, m.pivots.X[19], m.pivots.Y[19], 18, d.nearestPivot);
    d.pickPending = false;
    if (d.armedSlot >= 1 && d.armedSlot <= kPivotSlots)
        d.slotPivot[d.armedSlot] = static_cast<Real>(d.nearestPivot);
}

Ext slotPairDistance(const Model& m, int pair) {
    if (pair < 1 || pair > 3) return 0;
    const int a = slotPivot(m, 2 * pair - 1), b = slotPivot(m, 2 * pair);
    const Ext dv = static_cast<Ext>(m.pivots.Y[a]) - m.pivots.Y[b];
    const Ext dh = static_cast<Ext>(m.pivots.X[a]) - m.pivots.X[b];
    return std::sqrt(dv * dv + dh * dh);
}

std::vector<PanelText> pivotDataPanel(const Model& m) {
    std::vector<PanelText> texts{{1, 128, "    Pivot Data"}, {1, 138, "No.  Vert     Horz"}};
    const PivotDataState& d = m.pivotData;
    for (int k = 1; k <= kPivotSlots; ++k) {
        const int y = 140 + 10 * k;
        texts.push_back({3, y, std::to_string(k), true});
        if (!d.slotShown[k]) continue;
        const int p = slotPivot(m, k);
        texts.push_back({12, y, number(m.pivots.Y[p])});
        texts.push_back({50, y, number(m.pivots.X[p])});
    }
    for (int pair = 1; pair <= 3; ++pair) {
        if (d.slotShown[2 * pair - 1] && d.slotShown[2 * pair])
            texts.push_back({90, 135 + 20 * pair, number(slotPairDistance(m, pair))});
    }
    return texts;
}

std::vector<PanelText> pivotSlotMarks(const Model& m) {
    std::vector<PanelText> marks;
    for (int k = 1; k <= kPivotSlots; ++k) {
        if (!m.pivotData.slotShown[k]) continue;
        const int p = slotPivot(m, k);
        // Saturated screen positions stay clear of int overflow.
        const long long x = screenColumn(m, m.pivots.X[p]), y = screenRow(m, m.pivots.Y[p]);
        marks.push_back({roundToInt(x + 4.0L), roundToInt(y - 12.0L), std::to_string(k), true});
    }
    return marks;
}

} // namespace corvellan
