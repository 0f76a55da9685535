#include "model/Overlay.h"

#include "model/PivotPick.h"

#include <cmath>

namespace corvellan {

namespace {

bool validItem(int n) {
    return n >= 1 && n <= kOverlayItems;
}

// A stored whole number (type, mode), or `otherwise` when it is not finite.
int wholeOr(Real v, int otherwise) {
    return std::isfinite(v) ? roundToInt(v) : otherwise;
}

struct Point {
    Ext x = 0, y = 0;
};

// The model points of item n; false when its type, mode or pivots do not fit.
bool modelPoints(const Model& m, int n, int type, Point& p1, Point& p2) {
    const OverlayTable& o = m.overlay;
    const int mode = wholeOr(o.RefMode[n], -1);
    const bool line = type == 0;
    if (mode < 0 || mode > 3 || (!line && mode > 1)) return false;
    Point a, b;
    if (mode >= 1) {
        const int pa = pivotIndex(o.Ref1Pivot[n]);
        if (pa < 0) return false;
        a = {m.pivots.X[pa], m.pivots.Y[pa]};
    }
    if (mode == 3) {
        const int pb = pivotIndex(o.Ref2Pivot[n]);
        if (pb < 0) return false;
        b = {m.pivots.X[pb], m.pivots.Y[pb]};
    }
    p1 = {a.x + o.X1[n], a.y + o.Y1[n]};
    const Point base2 = mode == 1 ? a : mode == 3 ? b : Point{};
    p2 = {base2.x + o.X2[n], base2.y + o.Y2[n]};
    return true;
}

int shiftedColumn(const Model& m, Ext x, Ext shift) {
    const ViewTransform& v = m.view.current;
    return roundToInt(x * v.ViewScale + v.ViewOffsetX + shift);
}

int shiftedRow(const Model& m, Ext y, Ext shift) {
    const ViewTransform& v = m.view.current;
    return roundToInt(v.ViewOffsetY - y * v.ViewScale + shift);
}

} // namespace

std::uint32_t overlayColourRgb(Real stored) {
    const auto c = static_cast<std::uint32_t>(wholeOr(stored, 0));
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

bool overlayShape(const Model& m, int n, OverlayShape& s) {
    if (!validItem(n)) return false;
    const int type = wholeOr(m.overlay.Type[n], -1);
    Point p1, p2;
    if ((type != 0 && type != 1) || !modelPoints(m, n, type, p1, p2)) return false;
    // An item carried by a pivot that the gear could not place has no place either.
    const Ext r = m.overlay.X2[n];
    if (!std::isfinite(p1.x) || !std::isfinite(p1.y) ||
        (type == 0 ? !std::isfinite(p2.x) || !std::isfinite(p2.y) : !std::isfinite(r)))
        return false;
    s = OverlayShape{};
    s.item = n;
    s.colour = overlayColourRgb(m.overlay.Color[n]);
    s.x1 = p1.x;
    s.y1 = p1.y;
    if (type == 0) {
        s.x2 = p2.x;
        s.y2 = p2.y;
        s.left = screenColumn(m, p1.x);
        s.top = screenRow(m, p1.y);
        s.right = screenColumn(m, p2.x);
        s.bottom = screenRow(m, p2.y);
        return true;
    }
    s.kind = OverlayKind::Circle;
    s.r = m.overlay.X2[n];
    s.left = shiftedColumn(m, p1.x - s.r, 0);
    s.right = shiftedColumn(m, p1.x + s.r, 1);
    s.top = shiftedRow(m, p1.y + s.r, 0);
    s.bottom = shiftedRow(m, p1.y - s.r, 1);
    return true;
}

std::vector<OverlayShape> overlayShapes(const Model& m) {
    std::vector<OverlayShape> shapes;
    OverlayShape s;
    for (int n = 1; n <= kOverlayItems; ++n)
        if (overlayShape(m, n, s)) shapes.push_back(s);
    return shapes;
}

std::string overlayBoxText(Real value) {
    return formatFixed(value, 7, 3);
}

Real roundedToBox(Ext value) {
    return clampToReal(parseReal(overlayBoxText(clampToReal(value)), nullptr));
}

void finaliseOverlayItem(Model& m, int n) {
    if (!validItem(n)) return;
    OverlayTable& o = m.overlay;
    const int type = wholeOr(o.Type[n], -1), mode = wholeOr(o.RefMode[n], -1);
    // Point 1 or 2 of item n becomes an offset from a pivot's picked position.
    auto toOffset = [n](std::array<Real, kOverlayItems + 1>& ys,
                        std::array<Real, kOverlayItems + 1>& xs, Real fromY, Real fromX) {
        ys[n] = roundedToBox(static_cast<Ext>(ys[n]) - fromY);
        xs[n] = roundedToBox(static_cast<Ext>(xs[n]) - fromX);
    };
    auto& boxes = m.overlayDialog.rows[n].boxes;
    if (type == 0 && mode >= 0 && mode <= 3) {
        if (mode == 1) toOffset(o.Y2, o.X2, o.Ref1Y[n], o.Ref1X[n]);
        if (mode == 3) toOffset(o.Y2, o.X2, o.Ref2Y[n], o.Ref2X[n]);
        if (mode >= 1) toOffset(o.Y1, o.X1, o.Ref1Y[n], o.Ref1X[n]);
        boxes = {overlayBoxText(o.Y1[n]), overlayBoxText(o.X1[n]), overlayBoxText(o.Y2[n]),
                 overlayBoxText(o.X2[n])};
    } else if (type == 1 && (mode == 0 || mode == 1)) {
        // Mode 1 measures from reference point 1 as it stood when the dialog
        // opened, kept in the scratch entry.
        const int from = mode == 0 ? n : 0;
        const Ext dy = static_cast<Ext>(o.Y2[n]) - o.Y1[from];
        const Ext dx = static_cast<Ext>(o.X2[n]) - o.X1[from];
        const Ext radius = std::sqrt(dy * dy + dx * dx);
        if (mode == 1) toOffset(o.Y1, o.X1, o.Ref1Y[n], o.Ref1X[n]);
        o.X2[n] = roundedToBox(radius);
        boxes = {overlayBoxText(o.Y1[n]), overlayBoxText(o.X1[n]), "", overlayBoxText(o.X2[n])};
    }
}

void clearOverlayItem(Model& m, int n) {
    OverlayDialogState& d = m.overlayDialog;
    d.typeChoice = d.colourChoice = d.refChoice = -1;
    d.drawCloseEnabled = false;
    d.pickPrompt = false;
    if (!validItem(n)) return;
    OverlayTable& o = m.overlay;
    for (auto* column : {&o.Y1, &o.X1, &o.Y2, &o.X2, &o.Ref1X, &o.Ref1Y, &o.Ref2X, &o.Ref2Y})
        (*column)[n] = 0;
    o.Type[n] = o.Color[n] = o.RefMode[n] = -1;
    d.rows[n] = OverlayRowTexts{};
}

} // namespace corvellan
