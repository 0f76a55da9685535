#pragma once
// The linkage solver: places every moving pivot for the current driver angle
// and reverse-arm setting by closed-form constructions in a fixed order. It
// never fails: impossible constructions are replaced by nearby values and
// raise GeometryError (while ErrorBeep is on).

#include "model/Model.h"

#include <array>
#include <string>

namespace corvellan {

// Solves the gear for m.gear.DriverAngle and m.gear.RevArmPos, then computes
// the lap constants. Never clears GeometryError; raises it for a gear whose
// linkage has a length that is not positive (see below) at every angle.
void solve(Model& m);

// The construction takes the stroke, the eccentric crank circle and every rod,
// lever and arm as a length between two distinct pins: the arithmetic would
// place pivots for a negative or zero one (a main rod of -8 squares to 64),
// but no linkage has it. Whether all of them are positive numbers.
bool linkageLengthsPositive(const FrameDimensions& f);
// Why the linkage cannot be built ("the linkage cannot be built: Main Rod is
// -8, where a positive length is needed"), naming each such length in code
// order; "" when all are positive.
std::string unbuildableLinkage(const FrameDimensions& f);

// The pin joints of the linkage. At each, one member carries the pin and the
// other the eye it runs in; in a worn gear the two centres stand apart.
enum PinJoint {
    CrankPinJoint,       // main crank pin / main rod big end (pivot 2)
    CrossheadJoint,      // main rod small end / crosshead (pivot 3)
    EccentricPinJoint,   // eccentric crank pin / valve lever foot (pivot 5)
    LinkPivotJoint,      // frame / link on its pivot (pivot 9)
    RevArmJoint,         // reverse arm / link upper end (pivot 18)
    LinkDieJoint,        // link / die of the valve lever's upper end (pivot 7)
    LeverRodJoint,       // valve lever / valve rod (pivot 6)
    ValveCrossheadJoint, // valve rod / valve spindle crosshead (pivot 4)
    kPinJoints
};

// "crank pin", "crosshead", ...
const char* pinJointName(PinJoint joint);

// How far the second member's joint centre stands from the first's (the
// member named second in PinJoint), in model coordinates.
struct JointOffset {
    double x = 0, y = 0;
};
struct JointOffsets {
    std::array<JointOffset, kPinJoints> at{};
};

// Solves the gear as solve() does, with every pin joint's two centres apart
// by its offset: the linkage closes through the offset centres, so the rods
// and levers keep their lengths between their own eyes. Pivot 2 is the crank
// pin, pivot 3 the crosshead on the cylinder line, pivot 5 the eccentric pin,
// 9 stays the frame's link pivot, 18 is the link's upper end, 7 the lever's
// upper end, 6 the lever's eye of the valve-rod joint and 4 the spindle
// crosshead. Offsets that are exactly 0 change nothing: with all of them 0
// every pivot is the one solve() gives, bit for bit.
//
// Returns how far the crosshead (and so the piston) stands towards the
// cylinder from where the gear without clearance puts it at this angle.
Ext solveWorn(Model& m, const JointOffsets& wear);

} // namespace corvellan
