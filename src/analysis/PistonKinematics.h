#pragma once
// Where the piston really is. The crosshead runs on the cylinder centre line,
// which may stand above or below the driver centre (CylCLAboveDriverCtr). The
// piston turns where crank and main rod are in line, so with an offset line
// the dead centres are not at driver angles 0 and 180 and the slider-crank
// figure PistonTravelPos (which ignores the offset) is not the stroke
// fraction. The live figures and the diagrams keep PistonTravelPos; the
// events report and everything built on it use these.

#include "model/Model.h"

namespace corvellan {

struct PistonKinematics {
    // The crank radius, main rod and offset this was made from.
    double crank = 0, rod = 0, offset = 0;
    // Driver angles (degrees, [0, 360)) of the front dead centre (crosshead
    // farthest towards the cylinder) and the rear one, and the crosshead's X
    // there.
    double frontAngle = 0, rearAngle = 180;
    double frontX = 0, rearX = 0;
    // False where the rod cannot reach the cylinder line at every angle
    // (rod not longer than crank plus offset): the angles are then 0 and 180
    // and the fraction is measured between the crossheads found there.
    bool valid = false;

    // Crosshead X at a driver angle, in double precision.
    double crossheadX(double angleDeg) const;
    // Piston position as a fraction of the stroke from the front dead centre
    // (0 there, 1 at the rear dead centre), from the crosshead's X.
    double fractionAt(double crossheadX) const;
    double fraction(double angleDeg) const { return fractionAt(crossheadX(angleDeg)); }
    // d(fraction)/d(driver angle), per radian.
    double fractionRate(double angleDeg) const;
};

// From the gear's Stroke, MainRod and the cylinder line (Y of pivot 3).
PistonKinematics pistonKinematics(const Model& m);

} // namespace corvellan
