#pragma once
// The dimension close-up: while a dimension dialog has selected a dimension,
// the view zooms to the part of the gear it belongs to and draws the
// dimension as a thick blinking line with its label, then returns.

#include "view/MechanismView.h"

namespace corvellan {

// Frames a close-up lasts unless a mouse press ends it first.
constexpr int kCloseUpFrames = 1000;

// Close-up view of one dimension code: K of ViewScale = K / GraphicZoom * 7.5,
// and the offsets when the code moves them.
struct CloseUpView {
    int k = 28;
    bool movesOffsets = false;
    Real offsetX = 0, offsetY = 0;
};
CloseUpView closeUpView(int code);

// Frame item 14, drawn while SelectedDimCode > 0.
void drawDimensionCloseUp(Model& m, FrameState& f, Canvas& c);

} // namespace corvellan
