#include "analysis/CutOffCurve.h"

#include <algorithm>

namespace corvellan {

CutOffCurve computeCutOffCurve(const Model& m, int steps) {
    steps = std::clamp(steps, 1, 1000);
    CutOffCurve curve;
    curve.revArmCen = m.gear.RevArmCen();
    curve.revArmToCentMax = m.frame.RevArmToCentMax;
    Model scratch = m;
    SettingEvents events;
    for (const bool forward : {true, false}) {
        std::vector<CutOffPoint>& half = forward ? curve.forward : curve.reverse;
        // Forward lies below mid gear.
        const Ext side = forward ? -1 : 1;
        for (int i = 0; i <= steps; ++i) {
            CutOffPoint p;
            p.travelPct = 100.0 * i / steps;
            p.revArmPos = clampToReal(static_cast<Ext>(curve.revArmCen) +
                                      side * curve.revArmToCentMax * i / steps);
            computeSettingEvents(scratch, p.revArmPos, forward, events);
            p.front = events.front.cutOffPct;
            p.rear = events.rear.cutOffPct;
            half.push_back(p);
        }
    }
    return curve;
}

} // namespace corvellan
