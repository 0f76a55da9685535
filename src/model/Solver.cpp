#include "model/Solver.h"

#include "model/Dimensions.h"
#include "model/Guards.h"
#include "model/Numeric.h"
#include "model/Trig.h"
#include "model/Valve.h"

#include <cmath>

namespace corvellan {

namespace {

// The solver's scratch values: `Work` holds a radicand or a sine, `Div` a
// divisor; each guard repairs one of them in place.
struct Scratch {
    Model& m;
    Real Work = 0;
    Real Div = 0;

    void sqrtGuard() { Work = corvellan::sqrtGuard(m, Work); }
    void divGuard() { Div = corvellan::divGuard(m, Div); }
    void asinGuard() { Work = corvellan::asinGuard(m, Work); }
    void raise() {
        if (m.error.ErrorBeep) m.error.GeometryError = true;
    }
};

Ext sq(Ext v) {
    return v * v;
}

// The offset of a joint, added only where it is not 0, so a solve without
// clearance runs exactly the arithmetic of the plain construction.
struct Wear {
    const JointOffsets* offsets = nullptr;

    Ext x(Ext v, PinJoint j) const { return shift(v, offsets ? offsets->at[j].x : 0); }
    Ext y(Ext v, PinJoint j) const { return shift(v, offsets ? offsets->at[j].y : 0); }
    // The first member's centre from the second's.
    Ext backX(Ext v, PinJoint j) const { return shift(v, offsets ? -offsets->at[j].x : 0); }
    Ext backY(Ext v, PinJoint j) const { return shift(v, offsets ? -offsets->at[j].y : 0); }

    static Ext shift(Ext v, double d) { return d != 0 ? v + d : v; }
};

struct LinkageLength {
    int code;
    Real FrameDimensions::*value;
};
constexpr LinkageLength kLinkageLengths[] = {
    {StrokeCode, &FrameDimensions::Stroke},
    {EccCrankCirDiaCode, &FrameDimensions::EccCrankCirDia},
    {MainRodCode, &FrameDimensions::MainRod},
    {ValveRodCode, &FrameDimensions::ValveRod},
    {ValveLeverUpperCode, &FrameDimensions::ValveLeverUpper},
    {ValveLeverLowerCode, &FrameDimensions::ValveLeverLower},
    {RevArmLinkUpperCode, &FrameDimensions::RevArmLinkUpper},
    {LinkLowerCode, &FrameDimensions::LinkLower},
};

// The construction of solve() with the joints' offsets. Returns the
// crosshead's shift from the gear without clearance (0 without offsets).
Ext solveLinkage(Model& m, const Wear& wear) {
    Scratch s{m};
    if (!linkageLengthsPositive(m.frame)) s.raise();
    auto& X = m.pivots.X;
    auto& Y = m.pivots.Y;
    const FrameDimensions& f = m.frame;
    const Ext theta = static_cast<Ext>(m.gear.DriverAngle) * kDegToRad;
    const Ext halfStroke = static_cast<Ext>(f.Stroke) / 2;

    // 1. Upper end of the reverse arm follows the setting (the link's upper
    // end stands off the arm's pin by the joint's clearance).
    X[18] = m.gear.RevArmPos;
    if (wear.offsets) X[18] = static_cast<Real>(wear.x(X[18], RevArmJoint));
    // 2. Main crank pin.
    X[2] = static_cast<Real>(X[1] + trig::cos(theta) * halfStroke);
    Y[2] = static_cast<Real>(Y[1] - trig::sin(theta) * halfStroke);
    // 3. Crosshead on the cylinder centre line, on the cylinder side of the pin:
    // the rod runs from its big-end eye to its small-end eye.
    const Ext bigEndX = wear.x(X[2], CrankPinJoint), bigEndY = wear.y(Y[2], CrankPinJoint);
    const Ext smallEndY = wear.backY(Y[3], CrossheadJoint);
    s.Work = static_cast<Real>(sq(f.MainRod) - sq(bigEndY - smallEndY));
    s.sqrtGuard();
    X[3] = static_cast<Real>(wear.x(bigEndX + std::sqrt(static_cast<Ext>(s.Work)), CrossheadJoint));
    Ext crossheadShift = 0;
    if (wear.offsets) {
        // Stored as the crosshead is, so no wear is no shift.
        const Real clean =
            static_cast<Real>(X[2] + std::sqrt(std::fabs(static_cast<Ext>(static_cast<Real>(
                                         sq(f.MainRod) - sq(static_cast<Ext>(Y[2]) - Y[3]))))));
        crossheadShift = static_cast<Ext>(X[3]) - clean;
    }
    // 4. Eccentric crank pin.
    const Ext phi = (static_cast<Ext>(m.gear.DriverAngle) + f.EccCrankAngleDeg) * kDegToRad;
    X[5] = static_cast<Real>(X[1] + trig::cos(phi) * f.EccCrankCirDia / 2);
    Y[5] = static_cast<Real>(Y[1] - trig::sin(phi) * f.EccCrankCirDia / 2);
    // The lever's foot (its eye on the eccentric pin).
    const Ext footX = wear.x(X[5], EccentricPinJoint), footY = wear.y(Y[5], EccentricPinJoint);
    // 5. Upper end of the reverse arm, above the link pivot (the link's eye
    // on its frame pivot).
    const Ext pivotX = wear.x(X[9], LinkPivotJoint), pivotY = wear.y(Y[9], LinkPivotJoint);
    s.Work = static_cast<Real>(sq(f.RevArmLinkUpper) - sq(static_cast<Ext>(X[18]) - pivotX));
    s.sqrtGuard();
    Y[18] = static_cast<Real>(pivotY + std::sqrt(static_cast<Ext>(s.Work)));
    // 6. Lower end of the link, on the line from 18 through the pivot.
    s.Div = f.RevArmLinkUpper;
    s.divGuard();
    X[11] = static_cast<Real>(pivotX + (pivotX - X[18]) * f.LinkLower / s.Div);
    Y[11] = static_cast<Real>(pivotY + f.LinkLower * (pivotY - Y[18]) / s.Div);
    // 7. Link angle from the vertical.
    s.Div = static_cast<Real>(static_cast<Ext>(Y[18]) - Y[11]);
    s.divGuard();
    m.LinkAngle = static_cast<Real>(trig::atan((static_cast<Ext>(X[11]) - X[18]) / s.Div));
    // The lever's upper end stands off the die on the link line by the die's
    // clearance: the die lies a whole lever from the foot moved back by it.
    const Ext baseX = wear.backX(footX, LinkDieJoint), baseY = wear.backY(footY, LinkDieJoint);
    // 8. Angle at pivot 11 between the link and the line to the eccentric pin.
    // The full-quadrant arctangent keeps the direction right when the pin
    // passes above pivot 11; for a pin below it equals the plain arctangent.
    s.Div = static_cast<Real>(static_cast<Ext>(Y[11]) - baseY);
    s.divGuard();
    const Real A = static_cast<Real>(
        kPi - m.LinkAngle - trig::atan2(static_cast<Ext>(X[11]) - baseX, static_cast<Ext>(s.Div)));
    // 9. Triangle 11-5-7 by the sine rule; side 5-7 is the whole lever.
    const Ext lever = static_cast<Ext>(f.ValveLeverLower) + f.ValveLeverUpper;
    s.Div = static_cast<Real>(lever);
    s.divGuard();
    const Ext dist115 =
        std::hypot(static_cast<Ext>(X[11]) - baseX, static_cast<Ext>(Y[11]) - baseY);
    s.Work = static_cast<Real>(dist115 * trig::sin(static_cast<Ext>(A)) / s.Div);
    const Real unclamped = s.Work;
    s.asinGuard();
    const Ext w = s.Work;
    const Ext angleAt7 = trig::atan(w / std::sqrt(1 - w * w));
    const Real B = static_cast<Real>(kPi - A - angleAt7);
    Real d;
    if (s.Work == unclamped) {
        // The sine rule's lever x sin B / sin A, written without the division:
        // the same value wherever sin A is not 0, and still right where the
        // pin crosses the link line (which a mid-gear link does twice a turn).
        d = static_cast<Real>(lever * trig::cos(angleAt7) +
                              dist115 * trig::cos(static_cast<Ext>(A)));
    } else {
        s.Div = static_cast<Real>(trig::sin(static_cast<Ext>(A)));
        s.divGuard();
        d = static_cast<Real>(trig::sin(static_cast<Ext>(B)) * lever / s.Div);
    }
    // 10. Upper end of the valve lever, sliding on the link line.
    X[7] = static_cast<Real>(
        wear.x(X[11] - trig::sin(static_cast<Ext>(m.LinkAngle)) * d, LinkDieJoint));
    Y[7] = static_cast<Real>(
        wear.y(Y[11] + trig::cos(static_cast<Ext>(m.LinkAngle)) * d, LinkDieJoint));
    // 11. Valve-rod joint on the lever.
    s.Div = static_cast<Real>(lever);
    s.divGuard();
    X[6] = static_cast<Real>(footX + (static_cast<Ext>(X[7]) - footX) / s.Div * f.ValveLeverLower);
    Y[6] = static_cast<Real>(footY + f.ValveLeverLower * (static_cast<Ext>(Y[7]) - footY) / s.Div);
    // 12. Valve spindle crosshead, always on the cylinder side of pivot 6: the
    // rod runs from its eye on the lever's pin to its eye on the crosshead.
    const Ext rodX = wear.x(X[6], LeverRodJoint), rodY = wear.y(Y[6], LeverRodJoint);
    const Ext rodEndY = wear.backY(Y[4], ValveCrossheadJoint);
    s.Work = static_cast<Real>(sq(f.ValveRod) - sq(rodY - rodEndY));
    s.sqrtGuard();
    X[4] =
        static_cast<Real>(wear.x(rodX + std::sqrt(static_cast<Ext>(s.Work)), ValveCrossheadJoint));
    // 13. Valve lever angle from the vertical.
    s.Div = static_cast<Real>(static_cast<Ext>(Y[7]) - footY);
    s.divGuard();
    m.ValveLeverAngle = static_cast<Real>(trig::atan((static_cast<Ext>(X[7]) - footX) / s.Div));

    // Dimensions that are not numbers (or overflow) give no gear at all: say so
    // like any other impossible construction.
    for (int p : {2, 3, 4, 5, 6, 7, 11, 18})
        if (!std::isfinite(X[p]) || !std::isfinite(Y[p])) s.raise();

    // 14. Port-face constants.
    computeLapConstants(m);
    return crossheadShift;
}

} // namespace

bool linkageLengthsPositive(const FrameDimensions& f) {
    for (const LinkageLength& l : kLinkageLengths)
        if (!(f.*l.value > 0)) return false; // NaN is no length either
    return true;
}

std::string unbuildableLinkage(const FrameDimensions& f) {
    std::string names;
    int count = 0;
    for (const LinkageLength& l : kLinkageLengths) {
        if (f.*l.value > 0) continue;
        const std::string value = shortestText(f.*l.value);
        if (count++ > 0) names += ", ";
        names += std::string(dimensionInfo(l.code)->label) + " is " +
                 (value.empty() ? std::string("not a number") : value);
    }
    if (count == 0) return {};
    return "the linkage cannot be built: " + names + ", where a positive length is needed";
}

void solve(Model& m) {
    solveLinkage(m, Wear{});
}

Ext solveWorn(Model& m, const JointOffsets& wear) {
    return solveLinkage(m, Wear{&wear});
}

const char* pinJointName(PinJoint joint) {
    switch (joint) {
    case CrankPinJoint:
        return "crank pin";
    case CrossheadJoint:
        return "crosshead";
    case EccentricPinJoint:
        return "eccentric pin";
    case LinkPivotJoint:
        return "link pivot";
    case RevArmJoint:
        return "reverse arm";
    case LinkDieJoint:
        return "link die";
    case LeverRodJoint:
        return "lever to valve rod";
    case ValveCrossheadJoint:
        return "valve crosshead";
    case kPinJoints:
        break;
    }
    return "";
}

} // namespace corvellan
