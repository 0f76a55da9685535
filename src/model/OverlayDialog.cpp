#include "model/OverlayDialog.h"

#include "model/Overlay.h"
#include "model/PivotPick.h"

#include <algorithm>
#include <cmath>

namespace corvellan {

const Real kOverlayColours[kOverlayColourCount] = {0, 255, 32768, 65535, 16711680, 8421504};
const char* const kOverlayColourNames[kOverlayColourCount] = {"Black",  "Red",  "Green",
                                                              "Yellow", "Blue", "Gray"};

namespace {

const char* const kRefLabels[4] = {"0 , 0", "Pivot1", "Piv1/0,0", "Piv1/P2"};

bool validItem(int n) {
    return n >= 1 && n <= kOverlayItems;
}

// The row of the current item, or null while no item is current.
OverlayRowTexts* currentRow(Model& m) {
    const int n = m.overlay.CurrentOverlayItem;
    return validItem(n) ? &m.overlayDialog.rows[n] : nullptr;
}

bool allChosen(const OverlayDialogState& d) {
    return d.typeChoice >= 0 && d.colourChoice >= 0 && d.refChoice >= 0;
}

void clearChoices(OverlayDialogState& d) {
    d.typeChoice = d.colourChoice = d.refChoice = -1;
}

bool refPointsAtOrigin(const Model& m) {
    const PivotTable& p = m.pivots;
    return p.X[19] == 0 && p.Y[19] == 0 && p.X[20] == 0 && p.Y[20] == 0;
}

// Pivot bound to reference point k (1 or 2) for item n, with its position now.
void bindPivot(Model& m, int n, int k) {
    const int rp = k == 1 ? 19 : 20;
    const int p =
        nearestPivot(m, m.pivots.X[rp], m.pivots.Y[rp], kPivotCount - 1, m.pivotData.nearestPivot);
    m.pivotData.nearestPivot = p;
    OverlayTable& o = m.overlay;
    (k == 1 ? o.Ref1Pivot : o.Ref2Pivot)[n] = static_cast<Real>(p);
    (k == 1 ? o.Ref1Y : o.Ref2Y)[n] = m.pivots.Y[p];
    (k == 1 ? o.Ref1X : o.Ref2X)[n] = m.pivots.X[p];
}

// Label text from a stored whole number, or null for a value with no label.
const char* labelFor(Real stored, const Real* values, const char* const* names, int count) {
    if (!std::isfinite(stored)) return nullptr;
    const int v = roundToInt(stored);
    for (int i = 0; i < count; ++i)
        if (v == values[i]) return names[i];
    return nullptr;
}

} // namespace

bool overlayOpenBeeps(const Model& m) {
    return refPointsAtOrigin(m);
}

void overlayDialogActivated(Model& m) {
    OverlayTable& o = m.overlay;
    const int choice = m.overlayDialog.refChoice;
    if (choice == -1) {
        o.X1[0] = m.pivots.X[19];
        o.Y1[0] = m.pivots.Y[19];
        return;
    }
    if (choice <= 0) return;
    // Kept within the table: opening the dialog again without picking must
    // not run past item 20.
    o.CurrentOverlayItem = std::min(o.CurrentOverlayItem + 1, kOverlayItems);
    const int n = o.CurrentOverlayItem;
    if (!validItem(n)) return;
    bindPivot(m, n, 1);
    if (choice == 3) bindPivot(m, n, 2);
}

DialogOutcome overlayChooseType(Model& m, int type) {
    OverlayDialogState& d = m.overlayDialog;
    if (type != 0 && type != 1) return {true, false};
    if (refPointsAtOrigin(m)) {
        d.typeChoice = -1;
        return {true, true};
    }
    d.typeChoice = type;
    if (OverlayRowTexts* row = currentRow(m)) row->type = type == 0 ? "Line" : "Circle";
    if (allChosen(d)) d.drawCloseEnabled = true;
    return {};
}

DialogOutcome overlayChooseColour(Model& m, int colour) {
    OverlayDialogState& d = m.overlayDialog;
    if (d.typeChoice < 0 || colour < 0 || colour >= kOverlayColourCount) {
        d.colourChoice = -1;
        return {true, false};
    }
    d.colourChoice = colour;
    if (OverlayRowTexts* row = currentRow(m)) row->colour = kOverlayColourNames[colour];
    return {};
}

DialogOutcome overlayChooseReference(Model& m, int ref) {
    OverlayDialogState& d = m.overlayDialog;
    OverlayTable& o = m.overlay;
    if (d.typeChoice < 0 || d.colourChoice < 0 || ref < 0 || ref > 3) {
        d.refChoice = -1;
        return {true, false};
    }
    d.refChoice = ref;
    const int n = o.CurrentOverlayItem;
    const bool line = d.typeChoice == 0;
    if (validItem(n)) {
        o.Y1[n] = m.pivots.Y[19];
        o.X1[n] = m.pivots.X[19];
        o.Y2[n] = m.pivots.Y[20];
        o.X2[n] = m.pivots.X[20];
        if (ref != 2 || line) {
            d.rows[n].ref = kRefLabels[ref];
            o.RefMode[n] = static_cast<Real>(ref);
        }
    }
    if (ref >= 1 && (ref != 2 || line)) d.pickPrompt = true;
    if (allChosen(d)) d.drawCloseEnabled = true;
    if (!line && ref >= 2) {
        // Circles are fixed or follow one pivot.
        clearOverlayItem(m, n);
        return {true, false};
    }
    if (ref == 0) return {};
    // Closed for the pick; reopening after it moves on to this item again.
    if (o.CurrentOverlayItem > 0) o.CurrentOverlayItem -= 1;
    return {false, true};
}

DialogOutcome overlayDrawClose(Model& m) {
    OverlayDialogState& d = m.overlayDialog;
    OverlayTable& o = m.overlay;
    const int n = o.CurrentOverlayItem;
    DialogOutcome out{false, true};
    if (validItem(n)) {
        // An empty choice leaves the stored value as it was.
        if (d.colourChoice >= 0) o.Color[n] = kOverlayColours[d.colourChoice];
        if (d.typeChoice >= 0) o.Type[n] = static_cast<Real>(d.typeChoice);
        if (allChosen(d)) finaliseOverlayItem(m, n);
    }
    o.CurrentOverlayItem = n + 1;
    if (o.CurrentOverlayItem > kOverlayItems) {
        o.CurrentOverlayItem = kOverlayItems;
        out.beep = true;
    }
    markCurrentOverlayItem(m);
    d.drawCloseEnabled = false;
    d.pickPrompt = false;
    clearChoices(d);
    return out;
}

void overlayClearLine(Model& m) {
    clearOverlayItem(m, m.overlay.CurrentOverlayItem);
}

void overlayCloseButton(Model& m) {
    clearChoices(m.overlayDialog);
    m.overlayDialog.pickPrompt = false;
}

void overlaySelectRow(Model& m, int k) {
    if (!validItem(k)) return;
    m.overlay.CurrentOverlayItem = k;
    markCurrentOverlayItem(m);
    clearChoices(m.overlayDialog);
    m.overlayDialog.drawCloseEnabled = false;
}

void markCurrentOverlayItem(Model& m) {
    m.overlayDialog.markedItem = m.overlay.CurrentOverlayItem;
}

void refillOverlayRows(Model& m) {
    static const Real kTypes[2] = {0, 1};
    static const char* const kTypeNames[2] = {"Line", "Circle"};
    static const Real kModes[4] = {0, 1, 2, 3};
    const OverlayTable& o = m.overlay;
    for (int k = 1; k <= kOverlayItems; ++k) {
        OverlayRowTexts& row = m.overlayDialog.rows[k];
        row.boxes = {};
        if (o.Type[k] > -1)
            row.boxes = {overlayBoxText(o.Y1[k]), overlayBoxText(o.X1[k]), overlayBoxText(o.Y2[k]),
                         overlayBoxText(o.X2[k])};
        // Values without a label leave the label as it was.
        if (const char* t = labelFor(o.Type[k], kTypes, kTypeNames, 2)) row.type = t;
        if (const char* c = labelFor(o.Color[k], kOverlayColours, kOverlayColourNames, 6))
            row.colour = c;
        if (const char* r = labelFor(o.RefMode[k], kModes, kRefLabels, 4)) row.ref = r;
    }
}

bool overlayBoxKeyAccepted(const Model& m, int k, int column, char key, const std::string& text) {
    if (!validItem(k) || column < 0 || column > 3) return false;
    // A circle's third box has no meaning.
    if (column == 2 && m.overlayDialog.rows[k].type == "Circle") return false;
    if (key == 8 || (key >= '0' && key <= '9')) return true;
    return (key == '-' || key == '.') && text.find(key) == std::string::npos;
}

void overlayBoxLeft(Model& m, int k, int column, const std::string& text) {
    if (!validItem(k) || column < 0 || column > 3) return;
    m.overlayDialog.rows[k].boxes[column] = text;
    OverlayTable& o = m.overlay;
    std::array<Real, kOverlayItems + 1>* columns[4] = {&o.Y1, &o.X1, &o.Y2, &o.X2};
    // A text that does not convert counts as 0.
    (*columns[column])[k] = clampToReal(parseReal(text, nullptr));
}

bool overlayReopensOnLeft(const Model& m) {
    const OverlayDialogState& d = m.overlayDialog;
    return m.refPoints.mode && d.typeChoice >= 0 && d.colourChoice >= 0 && d.refChoice >= 0 &&
           d.refChoice <= 2;
}

bool overlayReopensOnRight(Model& m) {
    OverlayDialogState& d = m.overlayDialog;
    if (!m.refPoints.mode || d.typeChoice < 0 || d.colourChoice < 0 || d.refChoice != 3 ||
        !d.leftClickSeen)
        return false;
    d.leftClickSeen = false;
    return true;
}

std::vector<PanelText> overlayPickPrompt(const Model& m) {
    const OverlayDialogState& d = m.overlayDialog;
    if (!d.pickPrompt) return {};
    if (d.refChoice == 3)
        return {{10, 130, "STOP MOTION AND SELECT PIVOT 1 AND PIVOT 2", true},
                {10, 143, "USE LEFT MOUSE BUTTON FIRST THEN RIGHT", true},
                {10, 156, "MOVE MOTION IF NECESSARY TO CLEAR PIVOTS", true}};
    return {{10, 130, "STOP MOTION AND SELECT PIVOT 1", true},
            {10, 143, "USE LEFT MOUSE BUTTON", true},
            {10, 156, "MOVE MOTION IF NECESSARY TO CLEAR PIVOT", true}};
}

} // namespace corvellan
