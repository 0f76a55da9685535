#pragma once
// Pixel arithmetic of the view. Screen points are ints that may sit at INT_MIN
// or INT_MAX (projection saturates), so offsets, sums and differences are
// formed in 64 bits and saturated back when they reach a canvas.

#include "model/Model.h"

#include <climits>
#include <cmath>

namespace corvellan {

using Pix = long long;

inline int toScreen(Pix v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

// Where a model point has no screen place at all (a coordinate that is not a
// number or infinite, from a gear that cannot be built): far outside any
// picture, and kept outside by the few pixels of arithmetic done on it, so
// whatever touches it is not drawn (see known()).
constexpr Pix kNoPixel = -(Pix{1} << 40);
inline bool known(Pix v) {
    return v > -(Pix{1} << 38) && v < (Pix{1} << 38);
}

inline Pix col(const Model& m, Ext x) {
    return std::isfinite(x) ? screenColumn(m, x) : kNoPixel;
}
inline Pix row(const Model& m, Ext y) {
    return std::isfinite(y) ? screenRow(m, y) : kNoPixel;
}

// A text position of the layout, moved by the text scale.
inline int textX(const Model& m, int x) {
    return roundToInt(static_cast<Ext>(x) * m.display.textScaleH);
}
inline int textY(const Model& m, int y) {
    return roundToInt(static_cast<Ext>(y) * m.display.textScaleV);
}

} // namespace corvellan
