#pragma once
// The main window's mouse-down handler: every measuring tool that listens to
// a press in the picture, in a fixed order, each step seeing the state the
// steps before it left.

#include "model/RefPoints.h"

namespace corvellan {

// What the window does after the press.
struct MouseDownResult {
    bool openOverlayDialog = false; // modally, to complete a pick
    bool endCloseUp = false;        // a dimension close-up ends on the next frame
};

MouseDownResult mainWindowMouseDown(Model& m, int x, int y, MouseButton button);

} // namespace corvellan
