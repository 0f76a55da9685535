#pragma once
// Pixel arithmetic of the view. Screen points are ints that may sit at INT_MIN
// or INT_MAX (projection saturates), so offsets, sums and differences are
// formed in 64 bits and saturated back when they reach a canvas.

#include "model/Model.h"

#include <climits>

namespace corvellan {

using Pix = long long;

inline int toScreen(Pix v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

inline Pix col(const Model& m, Ext x) {
    return screenColumn(m, x);
}
inline Pix row(const Model& m, Ext y) {
    return screenRow(m, y);
}

// A text position of the layout, moved by the text scale.
inline int textX(const Model& m, int x) {
    return roundToInt(static_cast<Ext>(x) * m.display.textScaleH);
}
inline int textY(const Model& m, int y) {
    return roundToInt(static_cast<Ext>(y) * m.display.textScaleV);
}

} // namespace corvellan
