#pragma once
// Reference points 1 and 2 (pivots 19 and 20): the mode, placing them with the
// mouse, nudging them with their jog bars, zeroing, re-centring the view on
// one, the readout and the "Reference Points" dialog. The widgets forward
// their events here and show the state kept in m.refPoints: the bars, zero
// buttons, panels and "RP1"/"RP2" follow the mode, and so do the overlay menu
// item and its tool bar button.

#include "model/Model.h"

#include <array>
#include <string>
#include <vector>

namespace corvellan {

enum class MouseButton { Left, Right };

// A text of a panel at its layout position, before the text scale.
struct PanelText {
    int x = 0;
    int y = 0;
    std::string text;
    bool red = false;
};

// The four jog bars; an arrow click moves by 0.001, a trough click by 0.025.
enum class RefBar { Ref1Vert, Ref1Horz, Ref2Vert, Ref2Horz };
constexpr int kRefJogDivisor = 1000;
constexpr int kRefJogSmall = 1;
constexpr int kRefJogLarge = 25;

// Mode on or off; off also ends pivot-data mode. The points keep their values.
void setRefPointMode(Model& m, bool on);
void toggleRefPointMode(Model& m);

// The part of the window where mouse placement works.
bool inDrawingArea(int x, int y);
// Reference point k (1, 2) := the model point under window pixel (x, y).
void setRefPointAtPixel(Model& m, int k, int x, int y);
// Mouse-down steps 1 and 2: left places point 1, right point 2, while the
// mode is on and inside the drawing area. Returns whether a point moved.
bool placeRefPoint(Model& m, int x, int y, MouseButton button);

// One change of a jog bar's position (the snap-back to 0 included).
void refBarChanged(Model& m, RefBar bar, int position);
// Zero button k: the point to (0, 0) and the button disabled. The window
// also sets the point's two bars to 0.
void zeroRefPoint(Model& m, int k);

// "RP1" / "RP2": the offsets that bring point k to window pixel (320, 240),
// and the positions then written to the pan bars (horizontal first).
struct RecentreTarget {
    Real offsetX = 0;
    Real offsetY = 0;
    int panHorz = 0;
    int panVert = 0;
};
RecentreTarget recentreOnRefPoint(const Model& m, int k);

// The readout: coordinates, their differences and the distance.
Ext refPointDistance(const Model& m);
std::vector<PanelText> refPointReadout(const Model& m);

// The dialog's four boxes, in the order V1, H1, V2, H2.
using RefDialogTexts = std::array<std::string, 4>;
RefDialogTexts refDialogTexts(const Model& m);
// Backspace, "-", "." and digits pass; a second "." is refused.
bool refDialogKeyAccepted(char key, const std::string& text);
// OK stores the boxes and leaves the mode on; Zero clears both points and
// Cancel changes nothing, and both leave the mode off.
void refDialogOk(Model& m, const RefDialogTexts& texts);
void refDialogZero(Model& m);
void refDialogCancel(Model& m);

} // namespace corvellan
