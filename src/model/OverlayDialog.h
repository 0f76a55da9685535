#pragma once
// The rules of the draw-lines dialog, kept apart from its widgets: the three
// radio groups (type, colour, "Referenced to"), picking pivots through the
// main window, "Draw Close", "Close", row selection, the edit boxes and the
// refill after a file is opened. The dialog shows m.overlayDialog: its
// choices, "Draw Close" enabled, the aqua row (markedItem) and the row texts.
// Item n is always m.overlay.CurrentOverlayItem.

#include "model/RefPoints.h"

#include <vector>

namespace corvellan {

// What the dialog does after an action.
struct DialogOutcome {
    bool beep = false;
    bool close = false;
};

constexpr int kOverlayColourCount = 6;
// Stored colour values (0x00BBGGRR) and names, in radio-group order.
extern const Real kOverlayColours[kOverlayColourCount];
extern const char* const kOverlayColourNames[kOverlayColourCount];

// Opening the dialog from the menu or tool bar beeps first when both
// reference points lie at (0, 0).
bool overlayOpenBeeps(const Model& m);
// Every activation of the dialog: keeps reference point 1 in the scratch
// entry, or completes a pick by binding the pivots nearest the reference
// points.
void overlayDialogActivated(Model& m);

// The radio groups: type 0 line, 1 circle; colour 0..5; reference 0 "0,0",
// 1 "Pivot1", 2 "Piv1/0,0", 3 "Piv1/Piv2".
DialogOutcome overlayChooseType(Model& m, int type);
DialogOutcome overlayChooseColour(Model& m, int colour);
DialogOutcome overlayChooseReference(Model& m, int ref);

// "Draw Close", "Clear Line", "Close" (the dialog closes after the first and
// the last), and a click on row k's number.
DialogOutcome overlayDrawClose(Model& m);
void overlayClearLine(Model& m);
void overlayCloseButton(Model& m);
void overlaySelectRow(Model& m, int k);
// The aqua row becomes the current item's.
void markCurrentOverlayItem(Model& m);
// "LinesDataClick": every row's texts from the item table.
void refillOverlayRows(Model& m);

// Edit box `column` (0..3: Y1, X1, Y2, X2) of item k.
bool overlayBoxKeyAccepted(const Model& m, int k, int column, char key, const std::string& text);
void overlayBoxLeft(Model& m, int k, int column, const std::string& text);

// Mouse-down steps 3 and 5: whether a click reopens the dialog to complete a
// pick. Step 5 also forgets the left click it needed.
bool overlayReopensOnLeft(const Model& m);
bool overlayReopensOnRight(Model& m);

// The red prompt while a pick is awaited, at layout positions.
std::vector<PanelText> overlayPickPrompt(const Model& m);

} // namespace corvellan
