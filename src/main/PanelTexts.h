#pragma once
// Drawing the texts of the inspection panels (reference points, pivot data,
// the overlay dialog's pick prompt) into the main window's frame.

#include "model/RefPoints.h"
#include "view/Canvas.h"

#include <vector>

namespace corvellan {

// Texts at layout positions, moved by the text scale.
void drawScaledTexts(const Model& m, Canvas& c, const std::vector<PanelText>& texts,
                     bool bold = false);
// Texts at window pixels (marks beside points of the mechanism).
void drawTextsAt(Canvas& c, const std::vector<PanelText>& texts);

} // namespace corvellan
