#pragma once
// The frame's text panels and overlay: items 11 to 13 of the frame order.

#include "view/MechanismView.h"

namespace corvellan {

// Item 11: the user's lines and circles, drawn whether or not screen data are on.
void drawOverlayItems(const Model& m, Canvas& c);
// Item 12: the undo line, while screen data and the undo display are on.
void drawUndoPanel(Model& m, FrameState& f, Canvas& c);
// Item 13: figures, error indicator, cut-off and the panels inside it.
void drawScreenData(Model& m, FrameState& f, Canvas& c, SoundSink& sound);

} // namespace corvellan
