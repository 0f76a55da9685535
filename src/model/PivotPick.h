#pragma once
// Pivot selection: six slots shown in a panel at the left of the main window.
// A click on a slot's number arms it; the next left click binds the pivot
// nearest to it. The panel shows each bound pivot's live coordinates and the
// distance within each pair of slots (1-2, 3-4, 5-6). "DataTable" is shown
// exactly while the mode is on.

#include "model/RefPoints.h"

#include <vector>

namespace corvellan {

constexpr int kPivotSlots = 6;

// Mode on or off; on also turns reference points on.
void setPivotDataMode(Model& m, bool on);
void togglePivotDataMode(Model& m);

// The index into the pivot table of a stored pivot number (rounded), or -1
// when it names no pivot (out of range, NaN, infinite).
int pivotIndex(Real number);

// Nearest pivot to the model point (x, y) by city-block distance, over pivots
// 1 to lastPivot except the reference points 19 and 20; ties keep the lower
// number, and `previous` stands when none lies nearer than 10000.
int nearestPivot(const Model& m, Ext x, Ext y, int lastPivot, int previous);

// The slot whose number band holds window pixel (x, y) at the current text
// scale, or 0.
int slotAt(const Model& m, int x, int y);
// Mouse-down step 7 (left button only): arms the slot under the click.
bool armSlotAt(Model& m, int x, int y, MouseButton button);
// Mouse-down step 6: reference point 1 to the click, then the armed slot
// takes the nearest of pivots 1 to 18.
void pickPivotAt(Model& m, int x, int y);

// Distance between the pivots of slot pair 1, 2 or 3 (slots 2p-1 and 2p).
Ext slotPairDistance(const Model& m, int pair);
// The panel's texts at layout positions (the renderer applies the text scale).
std::vector<PanelText> pivotDataPanel(const Model& m);
// The red slot numbers beside the bound pivots, at window pixels.
std::vector<PanelText> pivotSlotMarks(const Model& m);

} // namespace corvellan
