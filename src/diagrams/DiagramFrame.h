#pragma once
// What the four diagram pictures share: the window font, the text scale, the
// sweep of the gear through many settings with the user's setting kept, the
// "Reverse Arm Positions" legend of the sine, oval and steam pictures, the
// piston-travel grid of the oval and steam pictures, and the header block of
// dynamic variables and undo line that ends every diagram.

#include "model/Model.h"
#include "view/Canvas.h"

#include <array>
#include <cmath>
#include <functional>

namespace corvellan {

// Whether a sample has a place in a diagram at all: a gear that cannot be
// built gives samples that are not numbers, and nothing is drawn at those
// (rounded, they would land on row or column 0).
inline bool plottable(Ext v) {
    return std::isfinite(v);
}

// The diagram windows' font: 11 pixels on an opaque white ground.
TextStyle diagramFont(Rgb colour = colours::Black, bool bold = false);

// Text positions that follow the text scale (horizontal, vertical factor).
int scaledTextX(const Model& m, int x);
int scaledTextY(const Model& m, int y);

// A box of the small-scale layout, its edges moved by the text scale.
struct PixelBox {
    int left = 0, top = 0, width = 0, height = 0;
};
PixelBox scaledBox(const Model& m, int left, int top, int width, int height);

// Every diagram picture is this wide at the small text scale.
constexpr int kDiagramWidth = 632;
// The picture of a diagram `height` high at the small text scale. It grows
// with the text scale, so the legend and header texts, whose positions follow
// the scale, stay inside it.
PixelBox diagramPictureSize(const Model& m, int height);

// Keeps the user's RevArmPos and DriverAngle while a diagram sweeps the gear.
class GearSweep {
  public:
    explicit GearSweep(Model& m)
        : m_(m), revArmPos_(m.gear.RevArmPos), driverAngle_(m.gear.DriverAngle) {}
    ~GearSweep() {
        m_.gear.RevArmPos = revArmPos_;
        m_.gear.DriverAngle = driverAngle_;
    }
    GearSweep(const GearSweep&) = delete;
    GearSweep& operator=(const GearSweep&) = delete;

    // Sets the setting of plotted position `position` (also kept as the
    // last plotted position, which dimension files save).
    void plot(Real position) {
        m_.gear.RevArmPos = position;
        m_.diagrams.LastPlottedRevArmPos = position;
    }

  private:
    Model& m_;
    Real revArmPos_;
    Real driverAngle_;
};

// For each plotted position i: sets the gear to it, draws its legend row,
// then calls `curve(i)`; the user's setting is kept.
void plotEachPosition(Model& m, Canvas& c, const std::function<void(int i)>& curve);

// "Reverse Arm Positions", "Center" and the mid-gear setting.
void drawPositionsHeader(const Model& m, Canvas& c);
// The legend row of plotted position i (1..9).
void drawPositionLegendRow(const Model& m, Canvas& c, int i, Real position);

// Rows 1..9 of 5- and 10-percent marks over the stroke (x 71 to 557).
void drawPistonTravelGrid(Canvas& c);
// "100", "90", ... "10" along the travel axis at row y, and "0" at row 348.
void drawPercentAxisTexts(Canvas& c, int y);

// The header block: dynamic variables (or the red banner while none is
// bound) and the undo line, as the two display switches ask. Rebuilds
// m.dyn.UndoLine while the undo line is shown.
void drawDiagramHeader(Model& m, Canvas& c);

// The header block's controls, for a diagram window to apply.
struct DiagramHeaderControls {
    bool dynBarsVisible = false;
    std::array<bool, 4> dynBarEnabled{}; // bars 1..4
    bool undoButtonVisible = false;
};
DiagramHeaderControls diagramHeaderControls(const Model& m);

// The font of the "Set Reverse Arm Positions" dialog's legends.
TextStyle diagramPositionsFont();
// The legends of the "Set Reverse Arm Positions" dialog after a refresh:
// limits, slot legends of the visible slots, scale.
void drawDiagramPositionsLegends(const Model& m, Canvas& c);

} // namespace corvellan
