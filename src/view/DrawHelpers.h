#pragma once
// Small drawing helpers shared by the view's files: points and shapes in the
// view's 64-bit pixel arithmetic, saturated when they reach the canvas.

#include "view/MechanismView.h"

#include <cmath>

namespace corvellan {

inline ScreenPoint project(const Model& m, Ext x, Ext y) {
    return {col(m, x), row(m, y)};
}
inline ScreenPoint pivotPoint(const Model& m, int i) {
    const bool finite = std::isfinite(m.pivots.X[i]) && std::isfinite(m.pivots.Y[i]);
    return finite ? ScreenPoint{m.pivots.ScreenX[i], m.pivots.ScreenY[i]}
                  : ScreenPoint{kNoPixel, kNoPixel};
}
inline bool known(ScreenPoint p) {
    return known(p.x) && known(p.y);
}

// Nothing is drawn to or from a point without a screen place.
inline void drawLine(Canvas& c, ScreenPoint a, ScreenPoint b) {
    if (!known(a) || !known(b)) return;
    c.line(toScreen(a.x), toScreen(a.y), toScreen(b.x), toScreen(b.y));
}

// Joined segments; a point without a screen place breaks the line there.
void drawPolyline(Canvas& c, const ScreenPoint* pts, int n);

// Outline of a circle of `radius` model units about the model point (x, y):
// the box runs between the projected points of the circle's extremes.
void drawModelCircle(Canvas& c, const Model& m, Ext x, Ext y, Ext radius);

inline void drawText(Canvas& c, Pix x, Pix y, const std::string& s, const TextStyle& style) {
    c.text(toScreen(x), toScreen(y), s, style);
}

} // namespace corvellan
