#include "model/MouseDown.h"

#include "model/OverlayDialog.h"
#include "model/PivotPick.h"

namespace corvellan {

MouseDownResult mainWindowMouseDown(Model& m, int x, int y, MouseButton button) {
    MouseDownResult r;
    const bool left = button == MouseButton::Left;
    // Steps 1 and 2: place a reference point.
    placeRefPoint(m, x, y, button);
    // Step 3: a single-pivot pick of the overlay dialog is complete.
    if (left && overlayReopensOnLeft(m)) r.openOverlayDialog = true;
    // Step 4, then step 5: a two-pivot pick needs a left and then a right click.
    if (left) m.overlayDialog.leftClickSeen = true;
    if (!left && overlayReopensOnRight(m)) r.openOverlayDialog = true;
    // Step 6: pick the pivot for the armed slot.
    const PivotDataState& d = m.pivotData;
    if (d.mode && d.pickPending && m.refPoints.mode && left) pickPivotAt(m, x, y);
    // Step 7: arm a slot (the pick click itself may arm one again).
    if (d.mode && !d.pickPending && m.refPoints.mode) armSlotAt(m, x, y, button);
    // Step 8.
    r.endCloseUp = m.view.SelectedDimCode > 0;
    return r;
}

} // namespace corvellan
