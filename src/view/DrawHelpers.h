#pragma once
// Small drawing helpers shared by the view's files: points and shapes in the
// view's 64-bit pixel arithmetic, saturated when they reach the canvas.

#include "view/MechanismView.h"

namespace corvellan {

inline ScreenPoint project(const Model& m, Ext x, Ext y) {
    return {col(m, x), row(m, y)};
}
inline ScreenPoint pivotPoint(const Model& m, int i) {
    return {m.pivots.ScreenX[i], m.pivots.ScreenY[i]};
}

inline void drawLine(Canvas& c, ScreenPoint a, ScreenPoint b) {
    c.line(toScreen(a.x), toScreen(a.y), toScreen(b.x), toScreen(b.y));
}

void drawPolyline(Canvas& c, const ScreenPoint* pts, int n);

// Outline of a circle of `radius` model units about the model point (x, y):
// the box runs between the projected points of the circle's extremes.
void drawModelCircle(Canvas& c, const Model& m, Ext x, Ext y, Ext radius);

inline void drawText(Canvas& c, Pix x, Pix y, const std::string& s, const TextStyle& style) {
    c.text(toScreen(x), toScreen(y), s, style);
}

} // namespace corvellan
