#include "model/RefPoints.h"

#include "model/JogBar.h"

#include <algorithm>
#include <cmath>

namespace corvellan {

namespace {

constexpr int kPivotOf[3] = {0, 19, 20};

bool validPoint(int k) {
    return k == 1 || k == 2;
}

Real& vertOf(Model& m, int k) {
    return m.pivots.Y[kPivotOf[k]];
}
Real& horzOf(Model& m, int k) {
    return m.pivots.X[kPivotOf[k]];
}
Real vertOf(const Model& m, int k) {
    return m.pivots.Y[kPivotOf[k]];
}
Real horzOf(const Model& m, int k) {
    return m.pivots.X[kPivotOf[k]];
}

std::string number(Ext v) {
    return formatFigure(v, 6, 3);
}

int limited(Ext position, int range) {
    return std::clamp(roundToInt(position), -range, range);
}

} // namespace

void setRefPointMode(Model& m, bool on) {
    m.refPoints.mode = on;
    if (!on) m.pivotData.mode = false;
}

void toggleRefPointMode(Model& m) {
    setRefPointMode(m, !m.refPoints.mode);
}

bool inDrawingArea(int x, int y) {
    return y > 120 || (y >= 68 && x > 247);
}

void setRefPointAtPixel(Model& m, int k, int x, int y) {
    if (!validPoint(k)) return;
    const ViewTransform& v = m.view.current;
    const Ext s = v.ViewScale;
    horzOf(m, k) = clampToReal((x - static_cast<Ext>(v.ViewOffsetX)) / s);
    vertOf(m, k) = clampToReal(-(y - static_cast<Ext>(v.ViewOffsetY)) / s);
}

bool placeRefPoint(Model& m, int x, int y, MouseButton button) {
    if (!m.refPoints.mode || !inDrawingArea(x, y)) return false;
    const int k = button == MouseButton::Left ? 1 : 2;
    setRefPointAtPixel(m, k, x, y);
    m.refPoints.zeroEnabled[k] = true;
    return true;
}

void refBarChanged(Model& m, RefBar bar, int position) {
    const int i = static_cast<int>(bar);
    const int k = i < 2 ? 1 : 2;
    m.refPoints.zeroEnabled[k] = true;
    const Ext increment = jogIncrement(position, m.refPoints.jogLast[i], m.refPoints.jogPrev[i],
                                       kRefJogDivisor, kRefJogSmall, kRefJogLarge);
    Real& target = (i % 2 == 0) ? vertOf(m, k) : horzOf(m, k);
    target = clampToReal(static_cast<Ext>(target) + increment);
}

void zeroRefPoint(Model& m, int k) {
    if (!validPoint(k)) return;
    vertOf(m, k) = 0;
    horzOf(m, k) = 0;
    m.refPoints.zeroEnabled[k] = false;
}

RecentreTarget recentreOnRefPoint(const Model& m, int k) {
    RecentreTarget t;
    if (!validPoint(k)) return t;
    const Ext s = m.view.current.ViewScale;
    t.offsetX = clampToReal(320 - horzOf(m, k) * s);
    t.offsetY = clampToReal(s * vertOf(m, k) + 240);
    if (s == 0) return t; // no view to measure the pan against
    const Ext sn = kNormalView.ViewScale, hn = kNormalView.ViewOffsetX,
              vn = kNormalView.ViewOffsetY;
    const Ext h = t.offsetX, v = t.offsetY;
    t.panHorz = limited(-((h - 320) * sn / s + 320 - hn) * 100 / hn, 500);
    t.panVert = limited(((v - 240) * sn / s + 240 - vn) * 200 / vn, 500);
    return t;
}

Ext refPointDistance(const Model& m) {
    const Ext dv = static_cast<Ext>(vertOf(m, 1)) - vertOf(m, 2);
    const Ext dh = static_cast<Ext>(horzOf(m, 1)) - horzOf(m, 2);
    return std::sqrt(dh * dh + dv * dv);
}

std::vector<PanelText> refPointReadout(const Model& m) {
    const Ext v1 = vertOf(m, 1), h1 = horzOf(m, 1), v2 = vertOf(m, 2), h2 = horzOf(m, 2);
    return {{143, 71, "Pt1V " + number(v1)},
            {143, 83, "Pt1H " + number(h1)},
            {143, 95, "Pt2V " + number(v2)},
            {143, 107, "Pt2H " + number(h2)},
            {210, 71, number(v1 - v2)},
            {210, 83, number(h1 - h2)},
            {207, 95, "Pt1-Pt2"},
            {209, 107, number(refPointDistance(m))}};
}

RefDialogTexts refDialogTexts(const Model& m) {
    auto box = [](Real v) { return formatFixed(v, 5, 3); };
    return {box(vertOf(m, 1)), box(horzOf(m, 1)), box(vertOf(m, 2)), box(horzOf(m, 2))};
}

bool refDialogKeyAccepted(char key, const std::string& text) {
    if (key == 8 || key == '-' || (key >= '0' && key <= '9')) return true;
    return key == '.' && text.find('.') == std::string::npos;
}

void refDialogOk(Model& m, const RefDialogTexts& texts) {
    // A text that does not convert counts as 0.
    auto value = [](const std::string& t) { return clampToReal(parseReal(t, nullptr)); };
    vertOf(m, 1) = value(texts[0]);
    horzOf(m, 1) = value(texts[1]);
    vertOf(m, 2) = value(texts[2]);
    horzOf(m, 2) = value(texts[3]);
    if (vertOf(m, 1) != 0 || horzOf(m, 1) != 0) m.refPoints.zeroEnabled[1] = true;
    if (vertOf(m, 2) != 0 || horzOf(m, 2) != 0) m.refPoints.zeroEnabled[2] = true;
    // Forced off, then toggled: the mode ends on, pivot data untouched.
    m.refPoints.mode = false;
    toggleRefPointMode(m);
}

void refDialogZero(Model& m) {
    for (int k : {1, 2})
        zeroRefPoint(m, k);
    m.refPoints.mode = true;
    toggleRefPointMode(m);
}

void refDialogCancel(Model& m) {
    m.refPoints.mode = true;
    toggleRefPointMode(m);
}

} // namespace corvellan
