#pragma once
// The valve-travel axis shared by the sine and oval diagrams: the vertical
// mapping, the scale marks and texts, the six port-edge levels and the
// mid-gear lead, lap and clearance figures.

#include "model/Model.h"
#include "view/Canvas.h"

namespace corvellan {

// Row of a valve displacement v: round(215 - v * 375 / S); up is forward.
int travelRow(Ext v, Real scale);
// The same with another base row (the texts beside lines and curves).
int travelRowFrom(int base, Ext v, Real scale);

// "Front", "Rear", "Units Travel", "Scale =" and the scale value.
void drawTravelAxisTexts(Canvas& c, Real scale);
// Fine marks every 0.02 units, main marks every 0.1 with labels at
// `labelX`; above a scale of 3.75 only every fifth mark of each kind.
void drawTravelScaleMarks(Canvas& c, Real scale, int labelX);

// Columns of the six level texts, in the order front steam open, front
// steam max, front exhaust open, rear steam open, rear steam max, rear
// exhaust open.
struct LevelTextColumns {
    int x[6];
};
// Lime front levels, their texts, then red rear levels (mirrored), their
// texts; lines from x 15 to `lineEnd`. Leaves the pen black.
void drawPortEdgeLevels(const Model& m, Canvas& c, Real scale, int lineEnd,
                        const LevelTextColumns& columns);

// Extremes of pivot 4 seen while plotting a setting near mid gear.
struct MidGearTrack {
    Real x4Max = 0;
    Real x4Min = 1000;
    void sample(Real x4) {
        if (x4 > x4Max) x4Max = x4;
        if (x4 < x4Min) x4Min = x4;
    }
};
// Strictly within 0.05 of RevArmCen.
bool nearMidGear(const Model& m);
// Lead, lap and exhaust clearance of both ends at x 592..595.
void drawMidGearFigures(const Model& m, Canvas& c, const MidGearTrack& track);

} // namespace corvellan
