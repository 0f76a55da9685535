#pragma once
// Moving and magnifying the mechanism view: the targets of the pan and zoom
// jog bars, the normal view and the preset table.

#include "model/Model.h"

namespace corvellan {

// The window point that zooming keeps on the same model point.
constexpr int kZoomCentreX = 320;
constexpr int kZoomCentreY = 240;
constexpr Real kMinViewScale = 0.5f;
constexpr Real kMaxViewScale = 3000.0f;

// A positive increment moves the picture up / to the right, in pixels.
void panVertical(Model& m, Ext increment);
void panHorizontal(Model& m, Ext increment);
// Magnifies by `percent` per cent about the zoom centre; the scale stays in
// [0.5, 3000] (the offsets follow the unclamped scale of this step).
void zoomView(Model& m, Ext percent);

// "Norm": the current view is kept as the saved view and the normal view
// returns.
void returnToNormalView(Model& m);
// "P": the current view becomes the pending preset.
void takePendingPreset(Model& m);
// Preset button k (1..6): with `storePending` the pending preset is first
// stored as preset k; then the view becomes preset k.
void recallPreset(Model& m, int k, bool storePending);

} // namespace corvellan
