#pragma once
// The user's lines and circles: where each item lies for the current pivots,
// finalising an item from the points captured by the draw-lines dialog, and
// clearing one. Item numbers run 1 to 20; any other number is ignored.

#include "model/Model.h"

#include <cstdint>
#include <vector>

namespace corvellan {

enum class OverlayKind { Line, Circle };

// One drawable item. Model points: a line's two ends, or a circle's centre
// (x1, y1) and radius r. Window pixels: a line's ends (left, top) and
// (right, bottom), or a circle's ellipse box.
struct OverlayShape {
    int item = 0;
    OverlayKind kind = OverlayKind::Line;
    std::uint32_t colour = 0; // 0xRRGGBB
    Ext x1 = 0, y1 = 0, x2 = 0, y2 = 0, r = 0;
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The shape of item n, or false when it draws nothing: undefined, a type and
// mode that do not go together, a pivot number that names no pivot (files
// may hold any number), or a point that is not a finite number.
bool overlayShape(const Model& m, int n, OverlayShape& shape);
// Every drawable item, 1 to 20 in order.
std::vector<OverlayShape> overlayShapes(const Model& m);
// A stored colour (0x00BBGGRR, rounded) as 0xRRGGBB.
std::uint32_t overlayColourRgb(Real stored);

// A value as its 3-decimal box text would read back.
Real roundedToBox(Ext value);
// The box text of a value.
std::string overlayBoxText(Real value);

// Turns the captured points of item n into what its mode draws from (offsets
// from its pivots, or a circle's radius, rounded to 0.001) and writes its row's
// boxes. Types and modes that finalise nothing leave the item as it is.
void finaliseOverlayItem(Model& m, int n);
// "Clear Line": item n undefined, its row emptied, the dialog's choices and
// pick prompt cleared. Its pivot numbers stay.
void clearOverlayItem(Model& m, int n);

} // namespace corvellan
