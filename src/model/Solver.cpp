#include "model/Solver.h"

#include "model/Guards.h"
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

Ext sq(Ext v) { return v * v; }

} // namespace

void solve(Model& m) {
    Scratch s{m};
    auto& X = m.pivots.X;
    auto& Y = m.pivots.Y;
    const FrameDimensions& f = m.frame;
    const Ext theta = static_cast<Ext>(m.gear.DriverAngle) * kDegToRad;
    const Ext halfStroke = static_cast<Ext>(f.Stroke) / 2;

    // 1. Upper end of the reverse arm follows the setting.
    X[18] = m.gear.RevArmPos;
    // 2. Main crank pin.
    X[2] = static_cast<Real>(X[1] + trig::cos(theta) * halfStroke);
    Y[2] = static_cast<Real>(Y[1] - trig::sin(theta) * halfStroke);
    // 3. Crosshead on the cylinder centre line, on the cylinder side of the pin.
    s.Work = static_cast<Real>(sq(f.MainRod) - sq(static_cast<Ext>(Y[2]) - Y[3]));
    s.sqrtGuard();
    X[3] = static_cast<Real>(X[2] + std::sqrt(static_cast<Ext>(s.Work)));
    // 4. Eccentric crank pin.
    const Ext phi = (static_cast<Ext>(m.gear.DriverAngle) + f.EccCrankAngleDeg) * kDegToRad;
    X[5] = static_cast<Real>(X[1] + trig::cos(phi) * f.EccCrankCirDia / 2);
    Y[5] = static_cast<Real>(Y[1] - trig::sin(phi) * f.EccCrankCirDia / 2);
    // 5. Upper end of the reverse arm, above the link pivot.
    s.Work = static_cast<Real>(sq(f.RevArmLinkUpper) - sq(static_cast<Ext>(X[18]) - X[9]));
    s.sqrtGuard();
    Y[18] = static_cast<Real>(Y[9] + std::sqrt(static_cast<Ext>(s.Work)));
    // 6. Lower end of the link, on the line from 18 through the pivot.
    s.Div = f.RevArmLinkUpper;
    s.divGuard();
    X[11] = static_cast<Real>(X[9] + (static_cast<Ext>(X[9]) - X[18]) * f.LinkLower / s.Div);
    Y[11] = static_cast<Real>(Y[9] + f.LinkLower * (static_cast<Ext>(Y[9]) - Y[18]) / s.Div);
    // 7. Link angle from the vertical.
    s.Div = static_cast<Real>(static_cast<Ext>(Y[18]) - Y[11]);
    s.divGuard();
    m.LinkAngle = static_cast<Real>(trig::atan((static_cast<Ext>(X[11]) - X[18]) / s.Div));
    // 8. Angle at pivot 11 between the link and the line to the eccentric pin.
    // The full-quadrant arctangent keeps the direction right when the pin
    // passes above pivot 11; for a pin below it equals the plain arctangent.
    s.Div = static_cast<Real>(static_cast<Ext>(Y[11]) - Y[5]);
    s.divGuard();
    const Real A = static_cast<Real>(kPi - m.LinkAngle -
                                     trig::atan2(static_cast<Ext>(X[11]) - X[5],
                                                static_cast<Ext>(s.Div)));
    // 9. Triangle 11-5-7 by the sine rule; side 5-7 is the whole lever.
    const Ext lever = static_cast<Ext>(f.ValveLeverLower) + f.ValveLeverUpper;
    s.Div = static_cast<Real>(lever);
    s.divGuard();
    const Ext dist115 = std::hypot(static_cast<Ext>(X[11]) - X[5], static_cast<Ext>(Y[11]) - Y[5]);
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
        d = static_cast<Real>(lever * trig::cos(angleAt7) + dist115 * trig::cos(static_cast<Ext>(A)));
    } else {
        s.Div = static_cast<Real>(trig::sin(static_cast<Ext>(A)));
        s.divGuard();
        d = static_cast<Real>(trig::sin(static_cast<Ext>(B)) * lever / s.Div);
    }
    // 10. Upper end of the valve lever, sliding on the link line.
    X[7] = static_cast<Real>(X[11] - trig::sin(static_cast<Ext>(m.LinkAngle)) * d);
    Y[7] = static_cast<Real>(Y[11] + trig::cos(static_cast<Ext>(m.LinkAngle)) * d);
    // 11. Valve-rod joint on the lever.
    s.Div = static_cast<Real>(lever);
    s.divGuard();
    X[6] = static_cast<Real>(X[5] + (static_cast<Ext>(X[7]) - X[5]) / s.Div * f.ValveLeverLower);
    Y[6] = static_cast<Real>(Y[5] + f.ValveLeverLower * (static_cast<Ext>(Y[7]) - Y[5]) / s.Div);
    // 12. Valve spindle crosshead, always on the cylinder side of pivot 6.
    s.Work = static_cast<Real>(sq(f.ValveRod) - sq(static_cast<Ext>(Y[6]) - Y[4]));
    s.sqrtGuard();
    X[4] = static_cast<Real>(X[6] + std::sqrt(static_cast<Ext>(s.Work)));
    // 13. Valve lever angle from the vertical.
    s.Div = static_cast<Real>(static_cast<Ext>(Y[7]) - Y[5]);
    s.divGuard();
    m.ValveLeverAngle = static_cast<Real>(trig::atan((static_cast<Ext>(X[7]) - X[5]) / s.Div));

    // Dimensions that are not numbers (or overflow) give no gear at all: say so
    // like any other impossible construction.
    for (int p : {2, 3, 4, 5, 6, 7, 11, 18})
        if (!std::isfinite(X[p]) || !std::isfinite(Y[p])) s.raise();

    // 14. Port-face constants.
    computeLapConstants(m);
}

} // namespace corvellan
